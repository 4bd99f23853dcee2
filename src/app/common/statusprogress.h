#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>

class QProgressBar;
class QPushButton;
class QWidget;

// The progress of long work in the status bar of the window: once the work
// has taken half a second, a bar shows what it is and "done / total". The
// window is painted meanwhile but takes no input, so that nothing the work
// relies on changes under it.
class StatusProgress
{
public:
    explicit StatusProgress(QWidget *window) : m_window(window) {}

    void show(const QString &what, int done, int total);
    void end();
    bool isRunning() const { return m_running; }

    // Runs work on a thread of its own and waits for it in an event loop that
    // paints but takes no input, calling poll every few hundredths of a second.
    static void runAside(const std::function<void()> &work, const std::function<void()> &poll);
    // As runAside, with a cancel button in the status bar meanwhile: its
    // click or the Escape key calls cancel (once), the only input taken.
    void runCancellable(const std::function<void()> &work, const std::function<void()> &poll,
                        const std::function<void()> &cancel);

private:
    QProgressBar *bar();
    QPushButton *cancelButton();

    QWidget *m_window;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
    QElapsedTimer m_started;
    QElapsedTimer m_painted;
    bool m_running = false;
};
