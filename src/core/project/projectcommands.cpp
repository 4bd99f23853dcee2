#include "core/project/projectcommands.h"

#include "core/project/project.h"
#include "core/project/projectloading.h"
#include "core/project/recoverykeeper.h"
#include "core/project/workspace.h"
#include "core/settings/inifile.h"
#include "core/settings/recentprojects.h"
#include "core/userinterface.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString projectFilter = QStringLiteral("プロジェクトファイル(*.dta)|*.dta");

bool mayDiscardChanges(Workspace &ws, const QString &question)
{
    return !ws.project.isModified() || ws.ui.askYesNo(question) == UserInterface::Answer::Yes;
}

bool mayDiscardForOpen(Workspace &ws)
{
    return mayDiscardChanges(
        ws, QStringLiteral("内容が変更されていますが保存せずに他のプロジェクトを開きますか？"));
}

UserInterface::FileChoice projectChoice(const QString &title, const QString &startFolder,
                                        const QString &proposedName)
{
    return {title, projectFilter, QStringLiteral("dta"), startFolder, proposedName};
}

QString withoutExtension(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName());
}

} // namespace

QString UploadRunningMessage()
{
    return QStringLiteral(
        "アップロード中のため終了できません。\r\nアップロードが終わってから終了してください。");
}

bool OpenProject(Workspace &ws)
{
    if (!mayDiscardForOpen(ws))
        return false;
    const std::optional<QString> path =
        ws.ui.chooseOpenFile(projectChoice(QStringLiteral("プロジェクトを開く"), ws.folders.project,
                                           withoutExtension(ws.project.fileName())));
    if (!path)
        return false;
    BusyCursor busy(ws.ui);
    return OpenProjectFile(ws, *path);
}

bool OpenProjectFile(Workspace &ws, const QString &path)
{
    // A missing file is told as such, before anybody's lock is looked at.
    if (!QFileInfo(path).isFile()) {
        ws.ui.information(ProjectUnreadableMessage());
        return false;
    }
    if (!ws.lock.check(path, &ws.ui))
        return false;
    // Read before anything changes, so that a file that cannot be read
    // leaves the open project, and its lock, as they were.
    std::optional<ProjectContent> content = ReadProjectFileOrTell(path, ws.ui);
    if (!content || !ws.lock.take(path, ws.ui))
        return false;
    OpenProjectContent(ws.project, std::move(*content), path);
    ProjectFileUsed(ws, path);
    return true;
}

bool OpenNamedProject(Workspace &ws, const QString &path)
{
    if (!mayDiscardForOpen(ws))
        return false;
    BusyCursor busy(ws.ui);
    return OpenProjectFile(ws, path);
}

QString RecentProjectMissingMessage(const QString &path)
{
    return QStringLiteral("プロジェクトファイル \"") + path +
           QStringLiteral(
               "\" が見つかりません。\r\n最近使ったプロジェクトの一覧から削除しました。");
}

bool OpenRecentProject(Workspace &ws, const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        RecentProjects::forget(ws.settings.recentProjects, path);
        ws.ui.information(RecentProjectMissingMessage(path));
        return false;
    }
    return OpenNamedProject(ws, path);
}

void ProjectFileUsed(Workspace &ws, const QString &path)
{
    RecentProjects::remember(ws.settings.recentProjects, path);
    if (ws.projectFileUsed)
        ws.projectFileUsed(path);
}

ProjectNode *InsertProject(Workspace &ws, ProjectNode *selected)
{
    const QString fileName = ws.project.fileName();
    const QString startFolder =
        fileName.isEmpty() ? ws.folders.project : QFileInfo(fileName).absolutePath() + u'/';
    const std::optional<QString> path = ws.ui.chooseOpenFile(
        projectChoice(QStringLiteral("プロジェクトを追加"), startFolder, QString()));
    if (!path)
        return nullptr;
    BusyCursor busy(ws.ui);
    std::optional<ProjectContent> content = ReadProjectFileOrTell(*path, ws.ui);
    if (!content)
        return nullptr;
    return &InsertProjectContent(ws.project, std::move(*content), selected);
}

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
    // The upload still uses the project; ending now would free it under it.
    if (ws.project.isUploadActive()) {
        ws.ui.information(UploadRunningMessage());
        return false;
    }
    if (!mayDiscardChanges(ws, QStringLiteral("内容が変更されていますが保存せずに終了しますか？")))
        return false;
    ws.lock.release();
    // Closing without saving gives the changes up, and their copy.
    if (ws.recovery)
        ws.recovery->discard();
    ws.settings.defFileName = ws.project.fileName();
    const QString path = SettingsFilePath(ws.folders);
    IniFile ini;
    ini.load(path);
    WriteSettings(ini, ws.settings);
    ini.save(path);
    return true;
}
