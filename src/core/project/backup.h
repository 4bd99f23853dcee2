#pragma once

#include <QDateTime>
#include <QString>

// "バックアップ_" + the project file's name, in the backup folder: one backup
// per project file name.
QString BackupFilePath(const QString &backupFolder, const QString &projectPath);

// Copies the project file into the backup folder, a block at a time, when
// its last write is a whole day or more away from now. Returns false only when a due backup
// could not be made; an earlier backup then stays as it was.
bool BackupIfDue(const QString &projectPath, const QString &backupFolder, bool enabled,
                 const QDateTime &now);
