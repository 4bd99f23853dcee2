#pragma once

#include <QString>

class Project;
class ProjectNode;
class UserInterface;

// The commands of the project tree. Each one that changes the tree marks
// the project modified. The window stores the pages into the current node
// before it calls them and selects the node they return.

// A feed "新しいフィード" with no items and the project defaults (but no FTP
// template), at the place of AddPlace.
ProjectNode *AddFeed(Project &project, ProjectNode *current);
// A folder "新しいフォルダ" without data, at the place of AddPlace.
ProjectNode *AddFolder(Project &project, ProjectNode *current);
// A feed named after the source with " の複写", holding copies of the
// source's channel settings and items, placed as an added feed would be.
ProjectNode *CopyFeed(Project &project, ProjectNode &source);
// Asks (Yes/Cancel) and removes the node with everything below it. Returns
// the node to make current afterwards, or none when nothing was removed.
ProjectNode *DeleteNode(Project &project, UserInterface &ui, ProjectNode *node);
// Renames the node; the root keeps its name. Modified only on a new text.
bool RenameNode(Project &project, ProjectNode &node, const QString &text);
// Moves dragged by the drop rules; false when the drop is refused.
bool DropNode(Project &project, ProjectNode &dragged, ProjectNode &target, bool shift);
