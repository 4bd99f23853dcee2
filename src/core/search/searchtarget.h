#pragma once

#include <QString>

// The text editor a search or replace works in, as the commands see it.
// Positions are UTF-16 positions of text().
class SearchTarget
{
public:
    virtual ~SearchTarget() = default;

    virtual QString text() const = 0;
    virtual qsizetype selectionStart() const = 0;
    virtual qsizetype selectionEnd() const = 0;
    // Selects the range; the caret goes to its end when searching down, to
    // its start when searching up.
    virtual void select(qsizetype start, qsizetype end, bool caretAtEnd) = 0;
    // Replaces the range as typing would (undoable, marks the text modified)
    // and leaves the caret after the new text.
    virtual void replace(qsizetype start, qsizetype end, const QString &text) = 0;
    virtual void setCaret(qsizetype position) = 0;
    virtual bool isReadOnly() const = 0;
    // Changes made between these calls are undone as one step.
    virtual void beginUndoGroup() = 0;
    virtual void endUndoGroup() = 0;
};
