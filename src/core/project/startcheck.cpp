#include "core/project/startcheck.h"

#include "core/project/projectlock.h"
#include "core/settings/inifile.h"
#include "core/settings/settings.h"
#include "core/userinterface.h"

#include <QFileInfo>

StartChoice CheckLastProjectAtStart(const QString &settingsPath, ProjectLock &lock,
                                    UserInterface &ui)
{
    IniFile ini;
    ini.load(settingsPath);
    // Here a file without LastOpen means not to open the last project.
    Settings settings;
    settings.lastOpen = false;
    ReadEnvironSettings(ini, settings);
    const QString last = settings.defFileName;
    if (!settings.lastOpen || last.isEmpty() || !QFileInfo(last).isFile() ||
        lock.check(last, nullptr)) {
        return StartChoice::Continue;
    }

    const QString question = QStringLiteral("プロジェクト \"") +
                             QFileInfo(last).completeBaseName() + QStringLiteral("\" はユーザー") +
                             lock.ownerName() +
                             QStringLiteral("が編集中です。 新規作成モードで開きますか？");
    if (ui.askYesNo(question) != UserInterface::Answer::Yes)
        return StartChoice::Quit;
    ini.setValue(QStringLiteral("Environ"), QStringLiteral("DefFileName"), QString());
    ini.save(settingsPath);
    return StartChoice::Continue;
}
