#pragma once

#include "core/userinterface.h"

class TextEditor;

// Passes every question on to the window's user interface, except the
// replace confirmation, which it shows as a box placed by the editor's
// caret so that the occurrence in question stays in sight.
class CaretConfirmInterface : public UserInterface
{
public:
    CaretConfirmInterface(UserInterface &inner, TextEditor &editor)
        : m_inner(inner), m_editor(editor)
    {
    }

    void information(const QString &text) override { m_inner.information(text); }
    Answer askYesNo(const QString &text) override { return m_inner.askYesNo(text); }
    Answer askYesCancel(const QString &text) override { return m_inner.askYesCancel(text); }
    Answer askYesNoCancelAll(const QString &text) override;
    std::optional<QString> chooseOpenFile(const FileChoice &choice) override
    {
        return m_inner.chooseOpenFile(choice);
    }
    std::optional<QString> chooseSaveFile(const FileChoice &choice) override
    {
        return m_inner.chooseSaveFile(choice);
    }
    std::optional<QString> chooseFolder(const QString &title, const QString &startFolder) override
    {
        return m_inner.chooseFolder(title, startFolder);
    }
    std::optional<QString> inputLine(const QString &caption, const QString &prompt,
                                     const QString &initial) override
    {
        return m_inner.inputLine(caption, prompt, initial);
    }
    void setBusy(bool busy) override { m_inner.setBusy(busy); }

private:
    UserInterface &m_inner;
    TextEditor &m_editor;
};
