#include "core/project/saveproject.h"

#include "core/feed/itemguid.h"
#include "core/files/replacefile.h"
#include "core/project/backup.h"
#include "core/project/feedgeneration.h"
#include "core/project/project.h"
#include "core/project/projectcommands.h"
#include "core/project/recoverykeeper.h"
#include "core/project/workspace.h"
#include "core/userinterface.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace {

QString withoutFileNameMarks(QString name)
{
    static const QString marks = QStringLiteral("?*\\\",.;:|<>/");
    name.removeIf([](QChar c) { return marks.contains(c); });
    return name;
}

QString proposedName(const Project &project, bool exportOnly, const ProjectNode *selected)
{
    const QString fileName = project.fileName();
    if (!exportOnly) {
        if (fileName.isEmpty())
            return {};
        const QFileInfo info(fileName);
        return info.dir().filePath(info.completeBaseName());
    }
    const QString folder =
        fileName.isEmpty() ? QString() : QFileInfo(fileName).absolutePath() + u'/';
    return selected ? folder + withoutFileNameMarks(selected->text) : QString();
}

std::optional<QString> chooseTarget(Workspace &ws, bool saveAs, bool exportOnly,
                                    const ProjectNode *selected)
{
    if (!saveAs && !exportOnly && !ws.project.fileName().isEmpty())
        return ws.project.fileName();
    UserInterface::FileChoice choice;
    choice.title = QStringLiteral("名前を付けてプロジェクトの保存");
    choice.filter = QStringLiteral("プロジェクトファイル(*.dta)|*.dta");
    choice.defaultExtension = QStringLiteral("dta");
    choice.startFolder = ws.folders.project;
    choice.proposedName = proposedName(ws.project, exportOnly, selected);
    return ws.ui.chooseSaveFile(choice);
}

bool claimTarget(Workspace &ws, const QString &target, bool exportOnly)
{
    if (exportOnly)
        return ws.lock.check(target, &ws.ui);
    ws.project.setFileName(target);
    ws.project.updateRootName();
    return ws.lock.check(target, &ws.ui) && ws.lock.take(target, ws.ui);
}

// Identifiers made now are kept in the file being written, so that later
// edits of an item's title or date never change them.
void assignItemGuids(Workspace &ws)
{
    int assigned = 0;
    ws.project.root().forEachFeed([&assigned](ProjectNode &feed) {
        if (feed.data())
            assigned += AssignItemGuids(*feed.data(), Clock());
    });
    if (assigned > 0)
        Q_EMIT ws.project.itemGuidsAssigned();
}

QByteArray projectFileBytes(const Workspace &ws, bool exportOnly, const ProjectNode *selected)
{
    if (!exportOnly)
        return ws.writers.projectFile(ws.project.defaults, ws.project.root());
    if (selected)
        return ws.writers.projectFile(ws.project.defaults, *selected);
    const ProjectNode nothing(ws.project.root().text, ProjectNode::RootKind);
    return ws.writers.projectFile(ws.project.defaults, nothing);
}

bool writeProjectFile(Workspace &ws, const QString &target, const QByteArray &bytes)
{
    if (QFileInfo::exists(target) &&
        !BackupIfDue(target, ws.folders.backup, ws.settings.backup, QDateTime::currentDateTime())) {
        ws.ui.information(QStringLiteral("バックアップに失敗しましたので保存を中止します。\r\n"
                                         "プロジェクトを別名で保存してください。"));
        return false;
    }
    if (const QString error = ReplaceFile(target, bytes, Durability::Synced); !error.isEmpty()) {
        ws.ui.information(QStringLiteral("このプロジェクトは既に開いています。\r\n") + error);
        return false;
    }
    return true;
}

} // namespace

SaveOutcome SaveProject(Workspace &ws, bool saveAs, bool exportOnly, const ProjectNode *selected)
{
    const std::optional<QString> target = chooseTarget(ws, saveAs, exportOnly, selected);
    if (!target)
        return SaveOutcome::Cancelled;
    if (!claimTarget(ws, *target, exportOnly))
        return SaveOutcome::Failed;

    BusyCursor busy(ws.ui);
    // A copy still being written would come out newer than the project file.
    if (ws.recovery && !exportOnly)
        ws.recovery->settle();
    assignItemGuids(ws);
    if (!writeProjectFile(ws, *target, projectFileBytes(ws, exportOnly, selected)))
        return SaveOutcome::Failed;
    if (exportOnly)
        return SaveOutcome::Saved;

    ws.project.setModified(false);
    ProjectFileUsed(ws, *target);
    const QString report = GenerateFeeds(ws.project, ws.writers, ws.ui);
    if (!report.isEmpty())
        ws.ui.information(QStringLiteral("プロジェクトは保存しました.\r\n\r\n") + report);
    return SaveOutcome::Saved;
}
