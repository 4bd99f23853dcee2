#include "app/search/editorsearchtarget.h"

#include "app/common/texteditor.h"

QString EditorSearchTarget::text() const
{
    return m_editor.text();
}

qsizetype EditorSearchTarget::selectionStart() const
{
    return m_editor.toTextPosition(
        m_editor.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART));
}

qsizetype EditorSearchTarget::selectionEnd() const
{
    return m_editor.toTextPosition(m_editor.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND));
}

void EditorSearchTarget::select(qsizetype start, qsizetype end, bool caretAtEnd)
{
    const long from = long(m_editor.toBytePosition(start));
    const long to = long(m_editor.toBytePosition(end));
    m_editor.SendScintilla(QsciScintillaBase::SCI_SETSEL, (unsigned long)(caretAtEnd ? from : to),
                           caretAtEnd ? to : from);
    m_editor.SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
}

void EditorSearchTarget::replace(qsizetype start, qsizetype end, const QString &text)
{
    select(start, end, true);
    m_editor.insertAsTyped(text);
}

void EditorSearchTarget::setCaret(qsizetype position)
{
    m_editor.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, long(m_editor.toBytePosition(position)));
}

bool EditorSearchTarget::isReadOnly() const
{
    return m_editor.isReadOnly();
}

void EditorSearchTarget::beginUndoGroup()
{
    m_editor.beginUndoAction();
}

void EditorSearchTarget::endUndoGroup()
{
    m_editor.endUndoAction();
}
