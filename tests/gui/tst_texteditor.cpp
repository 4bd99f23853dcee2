#include "app/common/texteditor.h"
#include "app/editing/boxmodeswitch.h"
#include "datarows.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <Qsci/qscicommandset.h>

using namespace Qt::StringLiterals;

class TestTextEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Which editors switch together is tested with the window.
    void boxModeSelectsABox()
    {
        BoxModeSwitch boxMode;
        TextEditor editor;
        boxMode.addEditor(&editor);
        boxMode.toggle();
        QVERIFY(editor.isBoxMode());
        editor.setText(u"abc\r\ndef\r\n"_s);
        QTest::keyClick(&editor, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(&editor, Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(editor.SendScintilla(QsciScintillaBase::SCI_SELECTIONISRECTANGLE));
        boxMode.toggle();
        QVERIFY(!editor.isBoxMode());
        QTest::keyClick(&editor, Qt::Key_Right, Qt::ShiftModifier);
        QVERIFY(!editor.SendScintilla(QsciScintillaBase::SCI_SELECTIONISRECTANGLE));
    }

    void boxPasteFillsShortLines()
    {
        TextEditor editor;
        editor.setText(u"ab\r\ncd\r\n"_s);
        editor.setCursorPosition(0, 1);
        QApplication::clipboard()->setText(u"1\n2\n3"_s);
        editor.boxPaste();
        QCOMPARE(editor.text(), u"a1b\r\nc2d\r\n 3"_s);
        editor.undo();
        QCOMPARE(editor.text(), u"ab\r\ncd\r\n"_s);
    }

    void typingUnderEscapeLock_data()
    {
        // keys: '\r' Enter, '\t' Shift+Enter
        Columns<bool, bool, QString, QString>("lock", "readOnly", "keys", "text");
        QTest::newRow("lock on") << true << false << u"a<b& >"_s << u"a&lt;b&amp;&nbsp;&gt;"_s;
        QTest::newRow("lock off") << false << false << u"a<b"_s << u"a<b"_s;
        QTest::newRow("enter, lock on") << true << false << u"a\r\tb"_s << u"a<br />\r\nb"_s;
        QTest::newRow("enter, lock off") << false << false << u"a\r\tb"_s << u"a\r\n<br />b"_s;
        QTest::newRow("read-only") << true << true << u"<"_s << QString();
    }
    void typingUnderEscapeLock()
    {
        const auto [lock, readOnly, keys, text] =
            Fetch<bool, bool, QString, QString>("lock", "readOnly", "keys", "text");
        QAction escapeLock;
        escapeLock.setCheckable(true);
        escapeLock.setChecked(lock);
        TextEditor editor;
        editor.setEscapeLock(&escapeLock);
        editor.setReadOnly(readOnly);
        for (QChar key : keys) {
            if (key == u'\r' || key == u'\t')
                QTest::keyClick(&editor, Qt::Key_Return,
                                key == u'\t' ? Qt::ShiftModifier : Qt::NoModifier);
            else
                QTest::keyClicks(&editor, QString(key));
        }
        QCOMPARE(editor.text(), text);
    }

    void escapeLockWaitsForComposition()
    {
        QAction escapeLock;
        escapeLock.setCheckable(true);
        escapeLock.setChecked(true);
        TextEditor editor;
        editor.setEscapeLock(&escapeLock);
        QInputMethodEvent composing(u"か"_s, {});
        QApplication::sendEvent(&editor, &composing);
        QTest::keyClick(&editor, Qt::Key_Space, Qt::NoModifier);
        QVERIFY(!editor.text().contains(u"&nbsp;"_s));
        QInputMethodEvent committed;
        committed.setCommitString(u"火"_s);
        QApplication::sendEvent(&editor, &committed);
        QTest::keyClicks(&editor, u" "_s);
        QVERIFY(editor.text().endsWith(u"&nbsp;"_s));
    }

    void programInsertionIsLikeTyping()
    {
        TextEditor editor;
        editor.setText(u"abc"_s);
        editor.setModified(false);
        editor.setCursorPosition(0, 1);
        editor.insertAsTyped(u"<b></b>"_s, 4);
        QVERIFY(editor.isModified());
        QCOMPARE(editor.text(), u"a<b></b>bc"_s);
        int line = 0, index = 0;
        editor.getCursorPosition(&line, &index);
        QCOMPARE(index, 4);
        editor.undo();
        QCOMPARE(editor.text(), u"abc"_s);
    }

    void windowKeysAreFree()
    {
        TextEditor editor;
        for (QKeyCombination key :
             {Qt::CTRL | Qt::Key_A, Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::Key_L,
              Qt::CTRL | Qt::Key_D, Qt::CTRL | Qt::Key_T})
            QVERIFY(!editor.standardCommands()->boundTo(key.toCombined()));
        QVERIFY(editor.standardCommands()->boundTo((Qt::CTRL | Qt::Key_Z).toCombined()));
    }
};

QTEST_MAIN(TestTextEditor)
#include "tst_texteditor.moc"
