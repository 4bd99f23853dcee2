#pragma once

#include "core/search/searchtarget.h"

class TextEditor;

// A TextEditor as the search commands see it: positions in UTF-16 units,
// replacements typed in through the selection.
class EditorSearchTarget : public SearchTarget
{
public:
    explicit EditorSearchTarget(TextEditor &editor) : m_editor(editor) {}

    QString text() const override;
    qsizetype selectionStart() const override;
    qsizetype selectionEnd() const override;
    void select(qsizetype start, qsizetype end, bool caretAtEnd) override;
    void replace(qsizetype start, qsizetype end, const QString &text) override;
    void setCaret(qsizetype position) override;
    bool isReadOnly() const override;
    void beginUndoGroup() override;
    void endUndoGroup() override;

private:
    TextEditor &m_editor;
};
