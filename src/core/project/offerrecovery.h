#pragma once

#include <QDateTime>
#include <QString>

struct Workspace;

inline QString RestoreQuestion()
{
    return QStringLiteral("前回の編集内容が保存されていません。復元しますか？");
}

enum class RecoveryOutcome
{
    NoCopy,    // nothing to restore: open as usual
    Restored,  // the copy is the open project now
    KeptAside, // the copy was put aside: open as usual
};

// At start, before the last project is opened. A recovery copy newer than
// its project file (or of a project never saved) was left by a program that
// did not end normally: the user is asked whether to restore it. Yes opens
// the copy as the modified project under the project's own file name, with
// the project's lock, so that saving writes the project file. No puts the
// copy aside as a dated file. A copy older than its project file is put
// aside without asking: the project was saved after it.
RecoveryOutcome OfferRecovery(Workspace &workspace, const QDateTime &now);
