#pragma once

#include "core/userinterface.h"

#include <QTextStream>

// Messages go to stderr. Questions are answered Yes only when the command
// was told to assume so (--yes); choosers and input boxes are cancelled,
// since nobody is there to answer them.
class CliUserInterface : public UserInterface
{
public:
    explicit CliUserInterface(QTextStream &err) : m_err(err) {}

    bool assumeYes = false;

    void information(const QString &text) override;
    Answer askYesNo(const QString &text) override;
    Answer askYesCancel(const QString &text) override;
    Answer askYesNoCancelAll(const QString &text) override;
    std::optional<QString> chooseOpenFile(const FileChoice &choice) override;
    std::optional<QString> chooseSaveFile(const FileChoice &choice) override;
    std::optional<QString> chooseFolder(const QString &title, const QString &startFolder) override;
    std::optional<QString> inputLine(const QString &caption, const QString &prompt,
                                     const QString &initial) override;
    void setBusy(bool) override {}

private:
    Answer answer(const QString &text, Answer refusal);
    QTextStream &m_err;
};
