#pragma once

#include "cli/command.h"

class Project;
class ProjectNode;

// Adds what the source names to the project below the selected node;
// nullptr when it could not (the reason has been told).
using InsertSource = ProjectNode *(*)(Project &project, UserInterface &ui, ProjectNode *selected,
                                      const QString &source);

// The import commands, "PROJECT.dta SOURCE [--under NODEPATH]": reads the
// project, inserts the source below the node named (the root when none)
// and saves the project file in place. An unreadable source leaves the
// file as it was and exits with ExitUnreadable.
int RunImportCommand(CliContext &context, const char *usage, InsertSource insert);
