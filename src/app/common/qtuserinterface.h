#pragma once

#include "app/common/statusprogress.h"
#include "core/userinterface.h"

#include <QMessageBox>
#include <functional>

class QWidget;

// Asks the Yes/No/Cancel/All question of the replace confirmation in a box
// over parent; `place` may move the box before it shows.
UserInterface::Answer AskYesNoCancelAll(QWidget *parent, const QString &text,
                                        QMessageBox::StandardButton defaultButton,
                                        const std::function<void(QMessageBox &)> &place = {});

// Answers the core's questions with Qt dialogs over the main window.
class QtUserInterface : public UserInterface
{
public:
    explicit QtUserInterface(QWidget *parent) : m_parent(parent), m_progress(parent) {}

    void information(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesCancel(const QString &text) override;
    Answer askYesNoCancelAll(const QString &text) override;
    std::optional<QString> chooseOpenFile(const FileChoice &choice) override;
    std::optional<QString> chooseSaveFile(const FileChoice &choice) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &startFolder) override;
    std::optional<QString> inputLine(const QString &caption, const QString &prompt,
                                     const QString &initial) override;
    void setBusy(bool busy) override;
    void showProgress(const QString &what, int done, int total) override;
    void runAside(const std::function<void()> &work, const std::function<void()> &poll) override;
    void runCancellable(const std::function<void()> &work, const std::function<void()> &poll,
                        const std::function<void()> &cancel) override;

    // Long work runs: the busy cursor or progress is shown.
    bool isWorking() const { return m_busyDepth > 0 || m_progress.isRunning(); }

private:
    QWidget *m_parent;
    StatusProgress m_progress;
    int m_busyDepth = 0;
};
