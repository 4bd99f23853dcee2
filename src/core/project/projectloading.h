#pragma once

#include "core/project/projectreader.h"

#include <optional>

class Project;
class UserInterface;

// Reads the project file; when it cannot be read, tells the user why and
// gives nothing, so that the open project stays as it was.
std::optional<ProjectContent> ReadProjectFileOrTell(const QString &path, UserInterface &ui);

// Makes read content the open project: its nodes and defaults replace the
// project's, the file name becomes fileName, the root shows the project
// name, and the project counts as unmodified.
void OpenProjectContent(Project &project, ProjectContent content, const QString &fileName);

// Adds the content's top-level nodes as the last children of the selected
// node, or of its parent when a feed is selected, or of the root when nothing
// is selected. The content's defaults are ignored; the project counts as
// modified. Returns the node that received the nodes.
ProjectNode &InsertProjectContent(Project &project, ProjectContent content, ProjectNode *selected);
