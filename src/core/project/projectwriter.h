#pragma once

#include "channelsettings.h"
#include "projectnode.h"

#include <QByteArray>

// The project file: UTF-8 without byte order mark, CR LF after every line,
// two spaces of indentation per level. When top is a root (a node without
// parent) the project element holds all its children; any other node is
// exported alone. Only folders and feeds are written, with everything below
// them; characters that XML does not allow are left out.
QByteArray WriteProjectFile(const ProjectDefaults &defaults, const ProjectNode &top);
