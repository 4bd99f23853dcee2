#pragma once

#include "userinterface.h"

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
    explicit QtUserInterface(QWidget *parent) : m_parent(parent) {}

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

private:
    QWidget *m_parent;
};
