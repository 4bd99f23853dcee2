#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The program's command line: brisklet [--version] [--help] [PROJECT.dta].
// The desktop starts it with the project file that was double-clicked.

// Answers --version and --help on the terminal, before any window system
// is reached; gives the exit code when the program is to end there.
std::optional<int> AnswerInformationOptions(int argc, char *argv[]);
// The project file among the arguments that Qt left (its own options are
// gone by then), as an absolute path; a file: address counts as its path.
// Empty when none is named.
QString ProjectFileArgument(const QStringList &arguments);
