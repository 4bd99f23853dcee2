#include "projectcommands.h"

#include "inifile.h"
#include "project.h"
#include "userinterface.h"
#include "workspace.h"

namespace {

bool mayDiscardChanges(Workspace &ws, const QString &question)
{
    return !ws.project.isModified() || ws.ui.askYesNo(question) == UserInterface::Answer::Yes;
}

} // namespace

bool NewProject(Workspace &ws)
{
    if (!mayDiscardChanges(ws,
                           QStringLiteral("内容が変更されていますが保存せずに新規作成しますか？")))
        return false;
    ws.project.reset();
    ws.lock.release();
    return true;
}

bool CloseProject(Workspace &ws)
{
    if (!mayDiscardChanges(ws, QStringLiteral("内容が変更されていますが保存せずに終了しますか？")))
        return false;
    ws.lock.release();
    ws.settings.defFileName = ws.project.fileName();
    const QString path = SettingsFilePath(ws.folders);
    IniFile ini;
    ini.load(path);
    WriteSettings(ini, ws.settings);
    ini.save(path);
    return true;
}
