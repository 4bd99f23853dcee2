#include "statusprogress.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <thread>

namespace {

constexpr int showAfterMs = 500;
// Often enough for the window to look alive, rarely enough to cost nothing.
constexpr int paintEveryMs = 40;

} // namespace

void StatusProgress::show(const QString &what, int done, int total)
{
    if (!m_running) {
        if (done >= total)
            return;
        m_running = true;
        m_started.start();
        m_painted.start();
    }
    if (done >= total) {
        end();
        return;
    }
    if (m_started.elapsed() >= showAfterMs) {
        if (QProgressBar *progress = bar()) {
            progress->setFormat(what + QStringLiteral(" %v / %m"));
            progress->setAccessibleName(what);
            progress->setRange(0, total);
            progress->setValue(done);
            progress->show();
        }
    }
    if (m_painted.elapsed() >= paintEveryMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_painted.start();
    }
}

void StatusProgress::end()
{
    m_running = false;
    if (m_bar)
        m_bar->hide();
}

QProgressBar *StatusProgress::bar()
{
    if (m_bar)
        return m_bar;
    auto *window = qobject_cast<QMainWindow *>(m_window);
    if (!window)
        return nullptr;
    m_bar = new QProgressBar(window);
    m_bar->setObjectName(QStringLiteral("StatusBar_Progress"));
    m_bar->setMaximumWidth(240);
    m_bar->setTextVisible(true);
    window->statusBar()->addPermanentWidget(m_bar);
    return m_bar;
}

void StatusProgress::runAside(const std::function<void()> &work, const std::function<void()> &poll)
{
    QEventLoop loop;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, &loop, poll);
    ticks.start(paintEveryMs);
    std::jthread worker([&] {
        work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    poll();
}
