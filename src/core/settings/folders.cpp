#include "core/settings/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {

QString withSlash(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

QString programFolder()
{
    return withSlash(QCoreApplication::applicationDirPath());
}

QString standardFolder(QStandardPaths::StandardLocation location, const QString &below)
{
    const QString base = QStandardPaths::writableLocation(location);
    if (base.isEmpty())
        return programFolder();
    return JoinFolder(base, below);
}

// Makes the folder with its missing parents; the mode applies to the last one.
bool makeFolder(const QString &path, mode_t mode)
{
    QDir dir;
    if (!dir.mkpath(path))
        return false;
    if (mode == 0)
        return true;
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

QString JoinFolder(const QString &parent, const QString &name)
{
    if (parent.isEmpty())
        return withSlash(name);
    return withSlash(withSlash(parent) + name);
}

Folders Folders::at(const QString &dataFolder, const QString &settingsFolder)
{
    Folders f;
    f.settings = withSlash(settingsFolder);
    f.data = withSlash(dataFolder);
    f.project = JoinFolder(f.data, QStringLiteral("Project"));
    f.backup = JoinFolder(f.project, QStringLiteral("Backup"));
    f.ftpTemplate = JoinFolder(f.data, QStringLiteral("Template/Ftp"));
    f.htmlTemplate = JoinFolder(f.data, QStringLiteral("Template/Html"));
    f.styleSheet = JoinFolder(f.data, QStringLiteral("Template/StyleSheet"));
    return f;
}

Folders Folders::locate(const QString &dataOverride, const QString &settingsOverride)
{
    const QString settings = settingsOverride.isEmpty()
                                 ? standardFolder(QStandardPaths::GenericConfigLocation,
                                                  QStringLiteral("Norvane/Brisklet"))
                                 : settingsOverride;
    const QString data = dataOverride.isEmpty() ? standardFolder(QStandardPaths::DocumentsLocation,
                                                                 QStringLiteral("My RSS Data"))
                                                : dataOverride;
    return at(data, settings);
}

QString Folders::create() const
{
    // The settings hold the last project's path and the preview's address
    // history: nobody else needs to read them.
    const mode_t settingsMode = settings == programFolder() ? 0 : S_IRWXU;
    if (!makeFolder(settings, settingsMode))
        return QStringLiteral("フォルダを作成できません: ") + settings;
    for (const QString &folder : {project, ftpTemplate, htmlTemplate, styleSheet}) {
        if (!makeFolder(folder, 0))
            return QStringLiteral("フォルダを作成できません: ") + folder;
    }
    return {};
}
