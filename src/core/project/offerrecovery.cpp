#include "core/project/offerrecovery.h"

#include "core/project/project.h"
#include "core/project/projectloading.h"
#include "core/project/recoverycopy.h"
#include "core/project/workspace.h"
#include "core/userinterface.h"

#include <QFileInfo>

namespace {

RecoveryOutcome keepAside(Workspace &ws, const QString &copy, const QDateTime &now, bool tell)
{
    const QString aside = KeepRecoveryCopyAside(copy, now);
    if (tell && !aside.isEmpty())
        ws.ui.information(QStringLiteral("復元用のファイルを次の名前で残しました。\r\n") + aside);
    return RecoveryOutcome::KeptAside;
}

bool olderThanItsProject(const QString &copy, const QString &project)
{
    const QFileInfo projectFile(project);
    return !project.isEmpty() && projectFile.exists() &&
           QFileInfo(copy).lastModified() <= projectFile.lastModified();
}

} // namespace

RecoveryOutcome OfferRecovery(Workspace &ws, const QDateTime &now)
{
    const QString copy = RecoveryCopyPath(ws.folders.settings);
    RemoveUnfinishedRecoveryCopies(copy);
    if (!QFileInfo::exists(copy))
        return RecoveryOutcome::NoCopy;
    const std::optional<QString> project = RecoveredProjectPath(copy);
    if (!project || olderThanItsProject(copy, *project))
        return keepAside(ws, copy, now, false);
    if (ws.ui.askYesNo(RestoreQuestion()) != UserInterface::Answer::Yes)
        return keepAside(ws, copy, now, false);

    std::optional<ProjectContent> content = ReadProjectFileOrTell(copy, ws.ui);
    if (!content)
        return keepAside(ws, copy, now, true);
    if (!project->isEmpty() && !(ws.lock.check(*project, &ws.ui) && ws.lock.take(*project, ws.ui)))
        return keepAside(ws, copy, now, true);
    OpenProjectContent(ws.project, std::move(*content), *project);
    ws.project.setModified(true);
    return RecoveryOutcome::Restored;
}
