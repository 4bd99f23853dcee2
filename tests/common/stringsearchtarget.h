#pragma once

#include "core/search/searchtarget.h"

#include <QStringList>

// A text editor reduced to a string, a selection and an undo list of whole
// texts: what the search commands need, without a screen.
class StringSearchTarget : public SearchTarget
{
public:
    explicit StringSearchTarget(QString text, qsizetype caret = 0)
        : m_text(std::move(text)), m_anchor(caret), m_caret(caret)
    {
    }

    bool readOnly = false;
    QStringList undoList;

    QString text() const override { return m_text; }
    qsizetype selectionStart() const override { return qMin(m_anchor, m_caret); }
    qsizetype selectionEnd() const override { return qMax(m_anchor, m_caret); }
    void select(qsizetype start, qsizetype end, bool caretAtEnd) override
    {
        m_anchor = caretAtEnd ? start : end;
        m_caret = caretAtEnd ? end : start;
    }
    void replace(qsizetype start, qsizetype end, const QString &text) override
    {
        if (m_group == 0)
            undoList << m_text;
        m_text.replace(start, end - start, text);
        setCaret(start + text.size());
    }
    void setCaret(qsizetype position) override { m_anchor = m_caret = position; }
    bool isReadOnly() const override { return readOnly; }
    void beginUndoGroup() override
    {
        if (m_group++ == 0)
            undoList << m_text;
    }
    void endUndoGroup() override
    {
        if (--m_group == 0 && undoList.last() == m_text)
            undoList.removeLast();
    }

private:
    QString m_text;
    qsizetype m_anchor;
    qsizetype m_caret;
    int m_group = 0;
};
