#include "app/common/texteditor.h"

#include "app/common/columnruler.h"
#include "app/common/focusorder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>

namespace {

// Shift with these keys extends the selection; in box mode it extends a box.
struct SelectionKey
{
    int key;
    int streamCommand;
    int boxCommand;
};

constexpr SelectionKey selectionKeys[] = {
    {QsciScintillaBase::SCK_DOWN, QsciScintillaBase::SCI_LINEDOWNEXTEND,
     QsciScintillaBase::SCI_LINEDOWNRECTEXTEND},
    {QsciScintillaBase::SCK_UP, QsciScintillaBase::SCI_LINEUPEXTEND,
     QsciScintillaBase::SCI_LINEUPRECTEXTEND},
    {QsciScintillaBase::SCK_LEFT, QsciScintillaBase::SCI_CHARLEFTEXTEND,
     QsciScintillaBase::SCI_CHARLEFTRECTEXTEND},
    {QsciScintillaBase::SCK_RIGHT, QsciScintillaBase::SCI_CHARRIGHTEXTEND,
     QsciScintillaBase::SCI_CHARRIGHTRECTEXTEND},
    {QsciScintillaBase::SCK_HOME, QsciScintillaBase::SCI_VCHOMEEXTEND,
     QsciScintillaBase::SCI_VCHOMERECTEXTEND},
    {QsciScintillaBase::SCK_END, QsciScintillaBase::SCI_LINEENDEXTEND,
     QsciScintillaBase::SCI_LINEENDRECTEXTEND},
    {QsciScintillaBase::SCK_PRIOR, QsciScintillaBase::SCI_PAGEUPEXTEND,
     QsciScintillaBase::SCI_PAGEUPRECTEXTEND},
    {QsciScintillaBase::SCK_NEXT, QsciScintillaBase::SCI_PAGEDOWNEXTEND,
     QsciScintillaBase::SCI_PAGEDOWNRECTEXTEND},
};

// Keys the window uses for its own commands (Ctrl+A is Redo there, Ctrl+Y
// is not used) or that would change text behind the user's back.
const QKeyCombination clashingKeys[] = {
    Qt::CTRL | Qt::Key_A,
    Qt::CTRL | Qt::Key_Y,
    Qt::CTRL | Qt::Key_L,
    Qt::CTRL | Qt::SHIFT | Qt::Key_L,
    Qt::CTRL | Qt::Key_T,
    Qt::CTRL | Qt::SHIFT | Qt::Key_T,
    Qt::CTRL | Qt::Key_D,
    Qt::CTRL | Qt::Key_U,
    Qt::CTRL | Qt::SHIFT | Qt::Key_U,
};

QFont editorFont()
{
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"), 10);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

} // namespace

TextEditor::TextEditor(QWidget *parent) : QsciScintilla(parent), m_ruler(new ColumnRuler(this))
{
    setUtf8(true);
    setEolMode(EolWindows);
    setTabWidth(2);
    setIndentationsUseTabs(false);
    auto *lexer = new QsciLexerHTML(this);
    lexer->setDefaultFont(editorFont());
    lexer->setFont(editorFont());
    setLexer(lexer);
    setMarginsFont(editorFont());
    setMarginType(0, NumberMargin);
    setMarginWidth(0, QStringLiteral("00000"));
    // Positions between UTF-16 and the control's bytes are converted often.
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
    SendScintilla(SCI_SETRECTANGULARSELECTIONMODIFIER, SCMOD_ALT);
    removeClashingKeys();
    setViewportMargins(0, m_ruler->sizeHint().height(), 0, 0);
}

void TextEditor::removeClashingKeys()
{
    QsciCommandSet *commands = standardCommands();
    for (QKeyCombination key : clashingKeys) {
        const int code = key.toCombined();
        if (QsciCommand *command = commands->boundTo(code)) {
            if (command->key() == code)
                command->setKey(0);
            else
                command->setAlternateKey(0);
        }
    }
}

void TextEditor::setBoxMode(bool on)
{
    if (on == m_boxMode)
        return;
    m_boxMode = on;
    bindSelectionKeys(on);
}

void TextEditor::bindSelectionKeys(bool box)
{
    for (const SelectionKey &key : selectionKeys)
        SendScintilla(SCI_ASSIGNCMDKEY, (unsigned long)(key.key + (SCMOD_SHIFT << 16)),
                      long(box ? key.boxCommand : key.streamCommand));
}

void TextEditor::insertAsTyped(const QString &text, qsizetype caretBack)
{
    if (isReadOnly())
        return;
    SendScintilla(SCI_REPLACESEL, text.toUtf8().constData());
    if (caretBack > 0) {
        const long caret = SendScintilla(SCI_GETCURRENTPOS);
        SendScintilla(SCI_GOTOPOS, SendScintilla(SCI_POSITIONRELATIVECODEUNITS,
                                                 (unsigned long)caret, -long(caretBack)));
    }
}

void TextEditor::insertContent(const ContentInsertion &insertion)
{
    insertAsTyped(insertion.text, insertion.caretBack);
}

void TextEditor::boxPaste()
{
    const QString clip = QApplication::clipboard()->text();
    if (isReadOnly() || clip.isEmpty())
        return;
    QStringList rows = clip.split(u'\n');
    for (QString &row : rows)
        if (row.endsWith(u'\r'))
            row.chop(1);
    if (rows.size() > 1 && rows.last().isEmpty())
        rows.removeLast();
    beginUndoAction();
    SendScintilla(SCI_REPLACESEL, "");
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    long line = SendScintilla(SCI_LINEFROMPOSITION, caret);
    const long column = SendScintilla(SCI_GETCOLUMN, caret);
    long end = caret;
    for (const QString &row : rows) {
        while (line >= lines())
            SendScintilla(SCI_APPENDTEXT, 2UL, "\r\n");
        const long position = SendScintilla(SCI_FINDCOLUMN, (unsigned long)line, column);
        const long reached = SendScintilla(SCI_GETCOLUMN, position);
        // A short line is filled with spaces up to the box's column.
        const QByteArray bytes = QByteArray(int(column - reached), ' ') + row.toUtf8();
        SendScintilla(SCI_INSERTTEXT, uintptr_t(position), bytes.constData());
        end = position + long(bytes.size());
        ++line;
    }
    SendScintilla(SCI_GOTOPOS, end);
    endUndoAction();
}

bool TextEditor::typeUnderEscapeLock(QKeyEvent *event)
{
    if (!m_escapeLock || m_composing || isReadOnly() || (event->modifiers() & Qt::AltModifier))
        return false;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    QChar key;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        key = ctrl ? u'\n' : u'\r';
    else if (event->text().size() == 1 && !ctrl)
        key = event->text().front();
    const std::optional<QString> text =
        EscapeLockKey(key, m_escapeLock->isChecked(), shift, ctrl, m_markup);
    if (!text)
        return false;
    insertAsTyped(*text);
    return true;
}

void TextEditor::keyPressEvent(QKeyEvent *event)
{
    // Tab indents here, so Ctrl+Tab is the way out.
    if (bool forward = true; IsLeaveKey(event, &forward)) {
        MoveFocusOutOf(this, forward);
        return;
    }
    if (typeUnderEscapeLock(event)) {
        event->accept();
        return;
    }
    QsciScintilla::keyPressEvent(event);
}

void TextEditor::inputMethodEvent(QInputMethodEvent *event)
{
    // While a Japanese input method composes, the keys belong to it.
    m_composing = !event->preeditString().isEmpty();
    QsciScintilla::inputMethodEvent(event);
}

void TextEditor::mousePressEvent(QMouseEvent *event)
{
    if (m_boxMode)
        event->setModifiers(event->modifiers() | Qt::AltModifier);
    QsciScintilla::mousePressEvent(event);
}

void TextEditor::mouseMoveEvent(QMouseEvent *event)
{
    if (m_boxMode)
        event->setModifiers(event->modifiers() | Qt::AltModifier);
    QsciScintilla::mouseMoveEvent(event);
}

void TextEditor::resizeEvent(QResizeEvent *event)
{
    QsciScintilla::resizeEvent(event);
    const QRect area = contentsRect();
    m_ruler->setGeometry(area.left(), area.top(), area.width(), m_ruler->sizeHint().height());
}

qsizetype TextEditor::toTextPosition(qsizetype bytePosition)
{
    return SendScintilla(SCI_COUNTCODEUNITS, 0UL, long(bytePosition));
}

qsizetype TextEditor::toBytePosition(qsizetype textPosition)
{
    return SendScintilla(SCI_POSITIONRELATIVECODEUNITS, 0UL, long(textPosition));
}
