#include "core/project/backup.h"

#include "core/files/replacefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString BackupFilePath(const QString &backupFolder, const QString &projectPath)
{
    return QDir(backupFolder)
        .filePath(QStringLiteral("バックアップ_") + QFileInfo(projectPath).fileName());
}

bool BackupIfDue(const QString &projectPath, const QString &backupFolder, bool enabled,
                 const QDateTime &now)
{
    if (!enabled)
        return true;
    const QFileInfo project(projectPath);
    const qint64 seconds = qAbs(project.lastModified().secsTo(now));
    if (seconds / (24 * 60 * 60) == 0)
        return true;
    if (!QDir().mkpath(backupFolder))
        return false;
    QFile source(projectPath);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    return ReplaceFileFrom(BackupFilePath(backupFolder, projectPath), source, Durability::Synced)
        .isEmpty();
}
