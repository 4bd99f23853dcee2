#include "app/search/caretconfirminterface.h"

#include "app/common/qtuserinterface.h"
#include "app/common/texteditor.h"
#include "core/search/searchsession.h"

#include <QScreen>

UserInterface::Answer CaretConfirmInterface::askYesNoCancelAll(const QString &text)
{
    return AskYesNoCancelAll(&m_editor, text, QMessageBox::Yes, [this](QMessageBox &box) {
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
    });
}
