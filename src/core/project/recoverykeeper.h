#pragma once

#include "core/project/projectsnapshot.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <optional>

class Project;

struct RecoveryDelays
{
    int quietMs = 3000;    // after the last edit
    int longestMs = 25000; // after the first edit not in a copy
};

// Keeps the recovery copy up to date while the project has unsaved
// changes: a few seconds after the last edit, and while edits go on
// without a pause no later than 25 s after the first edit the copy lacks,
// so that no edit is more than 30 s away from a copy. The snapshot is taken
// here, on the window's thread, which is cheap; the copy is written on a
// thread of its own, so typing never waits for the disk.
class RecoveryKeeper : public QObject
{
    Q_OBJECT

public:
    // The project as the window shows it now; nothing while it has no
    // unsaved changes.
    using SnapshotSource = std::function<std::optional<ProjectSnapshot>()>;

    RecoveryKeeper(const QString &copyPath, SnapshotSource snapshot, RecoveryDelays delays = {},
                   QObject *parent = nullptr);
    // Waits for a copy being written.
    ~RecoveryKeeper() override;

    QString copyPath() const { return m_copyPath; }
    void setDelays(RecoveryDelays delays) { m_delays = delays; }

    // Every edit of the project makes a copy due; once it has no unsaved
    // changes any more (saved, opened, new), the copy goes.
    void follow(const Project &project);
    // Something changed: a copy is due.
    void edited();
    // Waits for a copy being written, so that the project file written next
    // is newer than any copy.
    void settle();
    // The changes were saved or thrown away (closing without saving): no
    // copy is due any more, and the one there is removed.
    void discard();

Q_SIGNALS:
    // A copy was written (error empty) or could not be (the reason).
    void written(const QString &error);

private:
    void writeNow();
    void finished(const QString &error);

    QString m_copyPath;
    SnapshotSource m_snapshot;
    RecoveryDelays m_delays;
    QTimer m_quiet;
    QTimer m_longest;
    QThreadPool m_writer;
    int m_writing = 0;    // copies handed to the writer and not yet finished
    bool m_again = false; // a copy fell due while one was being written
};
