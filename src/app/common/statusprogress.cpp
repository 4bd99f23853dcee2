#include "app/common/statusprogress.h"

#include "app/common/hints.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <thread>

namespace {

constexpr int showAfterMs = 500;
// Often enough for the window to look alive, rarely enough to cost nothing.
constexpr int paintEveryMs = 40;

// While a cancellable run waits, the application takes no input but a
// click on the cancel button and the Escape key, which cancels.
class CancelOnlyInput : public QObject
{
public:
    CancelOnlyInput(QPushButton *button, std::function<void()> cancel)
        : m_button(button), m_cancel(std::move(cancel))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
                m_cancel();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            // A window passes the click on to the widget under it, where
            // it is judged.
            return !watched->isWindowType() && watched != m_button;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }

private:
    QPushButton *m_button;
    std::function<void()> m_cancel;
};

// Runs work on a thread of its own, waiting in an event loop that takes
// the events flags allow and calls poll every few hundredths of a second.
void waitForWork(const std::function<void()> &work, const std::function<void()> &poll,
                 QEventLoop::ProcessEventsFlags flags)
{
    QEventLoop loop;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, &loop, poll);
    ticks.start(paintEveryMs);
    std::jthread worker([&] {
        work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(flags);
    worker.join();
    poll();
}

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

QPushButton *StatusProgress::cancelButton()
{
    if (m_cancel)
        return m_cancel;
    auto *window = qobject_cast<QMainWindow *>(m_window);
    if (!window)
        return nullptr;
    m_cancel = new QPushButton(QStringLiteral("中止"), window);
    m_cancel->setObjectName(QStringLiteral("StatusBar_Cancel"));
    SetHint(m_cancel, QStringLiteral("実行中のアップロードを中止します (Esc)"));
    m_cancel->setFocusPolicy(Qt::NoFocus);
    m_cancel->hide();
    window->statusBar()->addPermanentWidget(m_cancel);
    return m_cancel;
}

void StatusProgress::runCancellable(const std::function<void()> &work,
                                    const std::function<void()> &poll,
                                    const std::function<void()> &cancel)
{
    QPushButton *button = cancelButton();
    if (!button) {
        runAside(work, poll);
        return;
    }
    bool cancelled = false;
    const auto cancelOnce = [&] {
        if (cancelled)
            return;
        cancelled = true;
        button->setEnabled(false);
        cancel();
    };
    const QMetaObject::Connection clicked =
        QObject::connect(button, &QPushButton::clicked, button, cancelOnce);
    CancelOnlyInput filter(button, cancelOnce);
    button->setEnabled(true);
    button->show();
    qApp->installEventFilter(&filter);

    waitForWork(work, poll, QEventLoop::AllEvents); // the filter keeps the input out
    qApp->removeEventFilter(&filter);
    QObject::disconnect(clicked);
    button->hide();
}

void StatusProgress::runAside(const std::function<void()> &work, const std::function<void()> &poll)
{
    waitForWork(work, poll, QEventLoop::ExcludeUserInputEvents);
}
