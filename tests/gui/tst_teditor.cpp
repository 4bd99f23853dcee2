#include "editing/boxmodeswitch.h"
#include "editing/teditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <Qsci/qscicommandset.h>

using namespace Qt::StringLiterals;

class TestTEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boxModeSwitchesEveryEditor()
    {
        BoxModeSwitch boxMode;
        TEditor memo, content, script, source;
        source.setReadOnly(true);
        for (TEditor *editor : {&memo, &content, &script, &source})
            boxMode.addEditor(editor);
        boxMode.toggle();
        for (TEditor *editor : {&memo, &content, &script, &source})
            QVERIFY(editor->isBoxMode());
        // Shift with an arrow now selects a box.
        script.setText(u"abc\r\ndef\r\n"_s);
        QTest::keyClick(&script, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(&script, Qt::Key_Down, Qt::ShiftModifier);
        QVERIFY(script.SendScintilla(QsciScintillaBase::SCI_SELECTIONISRECTANGLE));
        boxMode.toggle();
        for (TEditor *editor : {&memo, &content, &script, &source})
            QVERIFY(!editor->isBoxMode());
        QTest::keyClick(&script, Qt::Key_Right, Qt::ShiftModifier);
        QVERIFY(!script.SendScintilla(QsciScintillaBase::SCI_SELECTIONISRECTANGLE));
    }

    void boxPasteFillsShortLines()
    {
        TEditor editor;
        editor.setText(u"ab\r\ncd\r\n"_s);
        editor.setCursorPosition(0, 1);
        QApplication::clipboard()->setText(u"1\n2\n3"_s);
        editor.boxPaste();
        QCOMPARE(editor.text(), QStringLiteral("a1b\r\nc2d\r\n 3"));
        editor.undo();
        QCOMPARE(editor.text(), QStringLiteral("ab\r\ncd\r\n"));
    }

    void typingUnderEscapeLock_data()
    {
        QTest::addColumn<bool>("lock");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("keys"); // '\r' Enter, '\t' Shift+Enter
        QTest::addColumn<QString>("text");
        QTest::newRow("lock on") << true << false << "a<b& >"
                                 << "a&lt;b&amp;&nbsp;&gt;";
        QTest::newRow("lock off") << false << false << "a<b"
                                  << "a<b";
        QTest::newRow("enter, lock on") << true << false << "a\r\tb"
                                        << "a<br />\r\nb";
        QTest::newRow("enter, lock off") << false << false << "a\r\tb"
                                         << "a\r\n<br />b";
        QTest::newRow("read-only") << true << true << "<"
                                   << "";
    }
    void typingUnderEscapeLock()
    {
        QFETCH(bool, lock);
        QFETCH(bool, readOnly);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QAction escapeLock;
        escapeLock.setCheckable(true);
        escapeLock.setChecked(lock);
        TEditor editor;
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
        TEditor editor;
        editor.setEscapeLock(&escapeLock);
        QInputMethodEvent composing(QStringLiteral("か"), {});
        QApplication::sendEvent(&editor, &composing);
        QTest::keyClick(&editor, Qt::Key_Space, Qt::NoModifier);
        QVERIFY(!editor.text().contains(QStringLiteral("&nbsp;")));
        QInputMethodEvent committed;
        committed.setCommitString(QStringLiteral("火"));
        QApplication::sendEvent(&editor, &committed);
        QTest::keyClicks(&editor, QStringLiteral(" "));
        QVERIFY(editor.text().endsWith(QStringLiteral("&nbsp;")));
    }

    void programInsertionIsLikeTyping()
    {
        TEditor editor;
        editor.setText(u"abc"_s);
        editor.setModified(false);
        editor.setCursorPosition(0, 1);
        editor.insertAsTyped(u"<b></b>"_s, 4);
        QVERIFY(editor.isModified());
        QCOMPARE(editor.text(), QStringLiteral("a<b></b>bc"));
        int line = 0, index = 0;
        editor.getCursorPosition(&line, &index);
        QCOMPARE(index, 4);
        editor.undo();
        QCOMPARE(editor.text(), QStringLiteral("abc"));
    }

    void windowKeysAreFree()
    {
        TEditor editor;
        for (QKeyCombination key :
             {Qt::CTRL | Qt::Key_A, Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::Key_L,
              Qt::CTRL | Qt::Key_D, Qt::CTRL | Qt::Key_T})
            QVERIFY(!editor.standardCommands()->boundTo(key.toCombined()));
        QVERIFY(editor.standardCommands()->boundTo((Qt::CTRL | Qt::Key_Z).toCombined()));
    }
};

QTEST_MAIN(TestTEditor)
#include "tst_teditor.moc"
