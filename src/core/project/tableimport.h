#pragma once

#include <QString>

class Project;
class ProjectNode;
class UserInterface;

// Where an imported feed goes: at the end of the selected root or folder,
// at the end of a selected feed's parent, at the end of the root when
// nothing is selected.
ProjectNode &ImportedFeedParent(Project &project, ProjectNode *selected);

// Reads the table file and adds it to the project as a new feed
// "Minnow版のフィード" named after the file, then sets modified. The feed
// goes below the selected node (the root when nothing is selected): at the
// end of the root or a folder, or at the end of a selected feed's parent.
// Tells the user when the file cannot be read (the project stays as it
// was) and when items beyond the feed's limit were left out. Returns the
// new feed, or nullptr when nothing was added. The table file is never
// written.
ProjectNode *InsertTableFile(Project &project, UserInterface &ui, ProjectNode *selected,
                             const QString &tablePath);

// The command "Minnow版のデータを挿入(&L)": asks for a table file, starting
// in the data folder, and inserts it. The caller stores the pages of the
// current node before and selects the returned feed afterwards, which
// shows it. Returns nullptr when the user cancelled or the file could not
// be read.
ProjectNode *ImportTableFile(Project &project, UserInterface &ui, ProjectNode *selected,
                             const QString &dataFolder);
