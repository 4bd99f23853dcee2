#include "core/project/recoverykeeper.h"

#include "core/project/project.h"
#include "core/project/recoverycopy.h"

#include <QFile>

#include <sys/resource.h>

namespace {

// On Linux the value is the calling thread's own.
constexpr int writerNiceness = 10;

} // namespace

RecoveryKeeper::RecoveryKeeper(const QString &copyPath, SnapshotSource snapshot,
                               RecoveryDelays delays, QObject *parent)
    : QObject(parent), m_copyPath(copyPath), m_snapshot(std::move(snapshot)), m_delays(delays)
{
    m_writer.setMaxThreadCount(1);
    for (QTimer *timer : {&m_quiet, &m_longest}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
    }
}

RecoveryKeeper::~RecoveryKeeper()
{
    settle();
}

void RecoveryKeeper::follow(const Project &project)
{
    connect(&project, &Project::edited, this, &RecoveryKeeper::edited);
    connect(&project, &Project::modifiedChanged, this, [this](bool modified) {
        if (!modified)
            discard();
    });
}

void RecoveryKeeper::edited()
{
    m_quiet.start(m_delays.quietMs);
    if (!m_longest.isActive())
        m_longest.start(m_delays.longestMs);
}

void RecoveryKeeper::writeNow()
{
    m_quiet.stop();
    m_longest.stop();
    if (m_writing > 0) {
        m_again = true;
        return;
    }
    std::optional<ProjectSnapshot> snapshot = m_snapshot();
    if (!snapshot)
        return;
    ++m_writing;
    m_writer.start([this, path = m_copyPath, snapshot = std::move(*snapshot)] {
        // The window's thread comes first whenever both want the processor:
        // a key press never waits for the copy.
        ::setpriority(PRIO_PROCESS, 0, writerNiceness);
        const QString error = WriteRecoveryCopy(path, snapshot);
        QMetaObject::invokeMethod(
            this, [this, error] { finished(error); }, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::finished(const QString &error)
{
    --m_writing;
    Q_EMIT written(error);
    if (m_again && m_writing == 0) {
        m_again = false;
        writeNow();
    }
}

void RecoveryKeeper::settle()
{
    m_writer.waitForDone();
}

void RecoveryKeeper::discard()
{
    m_quiet.stop();
    m_longest.stop();
    m_again = false;
    settle();
    QFile::remove(m_copyPath);
}
