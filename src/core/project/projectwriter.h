#pragma once

#include "core/model/channelsettings.h"
#include "core/model/projectnode.h"

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// The project file: UTF-8 without byte order mark, CR LF after every line,
// two spaces of indentation per level. When top is a root (a node without
// parent) the project element holds all its children; any other node is
// exported alone. Only folders and feeds are written, with everything below
// them; characters that XML does not allow are left out.
QByteArray WriteProjectFile(const ProjectDefaults &defaults, const ProjectNode &top);
// Writes the same bytes to the device a block at a time; false when the
// device refused them. A comment (without "--") goes on a line of its own
// after the XML declaration; readers of the file pass over it.
bool WriteProjectFile(const ProjectDefaults &defaults, const ProjectNode &top, QIODevice &device,
                      QByteArrayView comment = {});
