#include "app/common/installlayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The install layout's folders, relative to the program's own folder.
const QString installedModules = QStringLiteral(BRISKLET_MODULE_FOLDER);
const QString installedData = QStringLiteral(BRISKLET_DATA_FOLDER);

QStringList candidates(const QString &installed)
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return {programFolder.filePath(installed), programFolder.path()};
}

} // namespace

QStringList ModuleFolders()
{
    return candidates(installedModules);
}

QString DataFilePath(const QString &relative)
{
    for (const QString &folder : candidates(installedData)) {
        const QFileInfo file(QDir(folder).filePath(relative));
        if (file.isFile())
            return file.canonicalFilePath();
    }
    return {};
}
