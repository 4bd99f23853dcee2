#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The one way the core talks to the person at the keyboard. The desktop
// implements it with Qt dialogs, the tests with a scripted fake, the command
// line with its own answers. Core code never shows a dialog itself.
class UserInterface
{
public:
    enum class Answer
    {
        Yes,
        No,
        Cancel,
        All
    };

    struct FileChoice
    {
        QString title;
        QString filter; // "プロジェクトファイル(*.dta)|*.dta" style: caption|pattern pairs
        QString defaultExtension; // without the dot
        QString startFolder;
        QString proposedName;
    };

    virtual ~UserInterface() = default;

    virtual void information(const QString &text) = 0;
    // Yes/No: only Yes proceeds.
    virtual Answer askYesNo(const QString &text) = 0;
    virtual Answer askYesCancel(const QString &text) = 0;
    // Yes/No/Cancel/All, for replacing one file after another.
    virtual Answer askYesNoCancelAll(const QString &text) = 0;

    // An empty optional means the chooser was cancelled.
    virtual std::optional<QString> chooseOpenFile(const FileChoice &choice) = 0;
    virtual std::optional<QString> chooseSaveFile(const FileChoice &choice) = 0;
    virtual std::optional<QString> chooseFolder(const QString &title,
                                                const QString &startFolder) = 0;
    // One line of at most 255 characters.
    virtual std::optional<QString> inputLine(const QString &caption, const QString &prompt,
                                             const QString &initial) = 0;

    virtual void setBusy(bool busy) = 0;

    // Long work tells how far it got: done of total steps (feeds, files),
    // what names the work ("保存中"). done == total ends it. A window shows
    // the count once the work has taken half a second and stays painted
    // meanwhile, taking no input. Only the interface's own thread calls it.
    virtual void showProgress(const QString &what, int done, int total)
    {
        (void)what, (void)done, (void)total;
    }
    // Runs work on another thread and returns once it is done; meanwhile
    // the interface stays painted and calls poll every few hundredths of a
    // second, to show progress. work must not use the interface. Without a
    // window the work simply runs here.
    virtual void runAside(const std::function<void()> &work, const std::function<void()> &poll)
    {
        work();
        poll();
    }
    // As runAside, and the person may stop the work meanwhile (a window
    // shows a cancel button): cancel is then called on this thread, and the
    // work should end soon after.
    virtual void runCancellable(const std::function<void()> &work,
                                const std::function<void()> &poll,
                                const std::function<void()> &cancel)
    {
        (void)cancel;
        runAside(work, poll);
    }
};

// Shows the hourglass for as long as it lives.
class BusyCursor
{
public:
    explicit BusyCursor(UserInterface &ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~BusyCursor() { m_ui.setBusy(false); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    UserInterface &m_ui;
};
