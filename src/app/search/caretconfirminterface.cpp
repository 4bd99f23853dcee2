#include "caretconfirminterface.h"

#include "editing/teditor.h"
#include "search/searchsession.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

UserInterface::Answer CaretConfirmInterface::askYesNoCancelAll(const QString &text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel |
                        QMessageBox::YesToAll,
                    &m_editor);
    box.setDefaultButton(QMessageBox::Yes);
    box.adjustSize();
    const long caret = m_editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    const QPoint local(
        int(m_editor.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, caret)),
        int(m_editor.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, caret)));
    const int lineHeight = int(m_editor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0L));
    const QPoint caretOnScreen = m_editor.viewport()->mapToGlobal(local);
    const QScreen *screen = m_editor.screen();
    box.move(ConfirmBoxPosition(caretOnScreen, lineHeight, box.size(),
                                screen ? screen->availableGeometry() : QRect()));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::YesToAll:
        return Answer::All;
    default:
        return Answer::Cancel;
    }
}
