#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

struct ProjectSnapshot;

// The recovery copy: while the project has unsaved changes the program
// keeps a copy of it in the settings folder, so that a crash loses at most
// the last seconds of work. The copy is a project file with one comment
// line naming the project file it stands for (nothing for a project never
// saved); it is never written over the project file itself.

// The settings folder + "brisklet_recovery.dta". One program runs per user,
// and only one project at a time has unsaved changes, so one copy will do.
QString RecoveryCopyPath(const QString &settingsFolder);

// Writes the snapshot as the copy: whole (a temporary file renamed into
// place), on disk before it returns, and readable by the user alone. The
// error text, empty on success.
QString WriteRecoveryCopy(const QString &copyPath, const ProjectSnapshot &snapshot);

// The project file the copy stands for (empty for a project never saved);
// nothing when there is no copy or the file is not one.
std::optional<QString> RecoveredProjectPath(const QString &copyPath);

// Puts the copy aside beside itself as "brisklet_recovery_" + the date and
// time + ".dta" (a number added when that name is taken), where nothing
// reads it again unless the user opens it. The new path; empty on failure.
QString KeepRecoveryCopyAside(const QString &copyPath, const QDateTime &now);

// Removes what a write cut short by a crash left beside the copy.
void RemoveUnfinishedRecoveryCopies(const QString &copyPath);
