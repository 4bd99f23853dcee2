#pragma once

#include "core/editing/contentcommands.h"

#include <QPointer>
#include <Qsci/qsciscintilla.h>

class ColumnRuler;
class QAction;

// The multi-line text editor of the window: the project memo, an item's
// body, the HTML template and the source view all use it, so that they
// behave as one control. Text is UTF-8 inside the control and lines end in
// CR LF, the form the project file keeps.
class TextEditor : public QsciScintilla
{
    Q_OBJECT

public:
    explicit TextEditor(QWidget *parent = nullptr);

    // Box (rectangular) selection: mouse drags and Shift with the arrow,
    // Home, End and page keys select a box instead of a stream of text.
    bool isBoxMode() const { return m_boxMode; }
    void setBoxMode(bool on);

    // Inserts text where the selection is, the way typing does (undoable,
    // marks the text modified); the caret ends `caretBack` characters before
    // the end of the new text.
    void insertAsTyped(const QString &text, qsizetype caretBack = 0);
    void insertContent(const ContentInsertion &insertion);
    // Pastes the clipboard's text as a box at the caret: line n of the text
    // goes into the n-th line below, at the caret's column (the window's
    // "Box貼り付け(&B)", Ctrl+B).
    void boxPaste();

    // The escape lock this editor follows when typing "<", ">", "&", the
    // space and Enter (a checkable action; none for the source view).
    void setEscapeLock(const QAction *lock) { m_escapeLock = lock; }
    Markup markup() const { return m_markup; }
    void setMarkup(Markup markup) { m_markup = markup; }

    // UTF-16 positions of text(), as the core's rules count them.
    qsizetype toTextPosition(qsizetype bytePosition);
    qsizetype toBytePosition(qsizetype textPosition);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void removeClashingKeys();
    void bindSelectionKeys(bool box);
    bool typeUnderEscapeLock(QKeyEvent *event);

    bool m_boxMode = false;
    bool m_composing = false;
    QPointer<const QAction> m_escapeLock;
    Markup m_markup = Markup::Xhtml;
    ColumnRuler *m_ruler;
};
