#include "scripteduserinterface.h"
#include "search/searchcommands.h"
#include "search/searchsession.h"
#include "stringsearchtarget.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace SearchFlag;
using Answer = UserInterface::Answer;

class TestSearchCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<int>("options");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("replaced");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("notFound"); // ends with the not-found message

        const QList<Answer> none;
        QTest::newRow("one") << "a b a" << 0 << "a"
                             << "x" << int(Down | Replace) << none << "x b a" << 1 << 0 << false;
        QTest::newRow("one up") << "a b a" << 5 << "a"
                                << "x" << int(Replace) << none << "a b x" << 1 << 0 << false;
        QTest::newRow("one, nothing there")
            << "b" << 0 << "a"
            << "x" << int(Down | Replace) << none << "b" << 0 << 0 << true;
        QTest::newRow("all down from caret")
            << "a a a" << 1 << "a"
            << "x" << int(Down | ReplaceAll) << none << "a x x" << 2 << 0 << true;
        QTest::newRow("all up from caret")
            << "a a a" << 3 << "a"
            << "x" << int(ReplaceAll) << none << "x x a" << 2 << 0 << true;
        QTest::newRow("a by aa ends")
            << "aaa" << 0 << "a"
            << "aa" << int(Down | ReplaceAll) << none << "aaaaaa" << 3 << 0 << true;
        QTest::newRow("a by aa up ends")
            << "aaa" << 3 << "a"
            << "aa" << int(ReplaceAll) << none << "aaaaaa" << 3 << 0 << true;
        QTest::newRow("shorter") << "<br><br>" << 0 << "<br>"
                                 << "" << int(Down | ReplaceAll) << none << "" << 2 << 0 << true;
        QTest::newRow("japanese full-width") << "ＡＢＣとabc" << 0 << "abc"
                                             << "エー" << int(Down | ReplaceAll | NoMatchZenkaku)
                                             << none << "エーとエー" << 2 << 0 << true;
        QTest::newRow("confirm yes no yes")
            << "a a a" << 0 << "a"
            << "x" << int(Down | ReplaceAll | Confirm)
            << QList<Answer>{Answer::Yes, Answer::No, Answer::Yes} << "x a x" << 2 << 3 << true;
        QTest::newRow("confirm no up moves on")
            << "a a a" << 5 << "a"
            << "x" << int(ReplaceAll | Confirm)
            << QList<Answer>{Answer::No, Answer::Yes, Answer::No} << "a x a" << 1 << 3 << true;
        QTest::newRow("confirm all") << "a a a" << 0 << "a"
                                     << "bb" << int(Down | Replace | Confirm)
                                     << QList<Answer>{Answer::All} << "bb bb bb" << 3 << 1 << true;
        QTest::newRow("confirm cancel")
            << "a a a" << 0 << "a"
            << "x" << int(Down | ReplaceAll | Confirm) << QList<Answer>{Answer::Yes, Answer::Cancel}
            << "x a a" << 1 << 2 << false;
        QTest::newRow("confirm one, no") << "a a" << 0 << "a"
                                         << "x" << int(Down | Replace | Confirm)
                                         << QList<Answer>{Answer::No} << "a a" << 0 << 1 << false;
    }
    void replace()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(int, options);
        QFETCH(QList<Answer>, answers);
        QFETCH(QString, result);
        QFETCH(int, replaced);
        QFETCH(int, questions);
        QFETCH(bool, notFound);

        StringSearchTarget target(text, caret);
        ScriptedUserInterface ui;
        for (Answer answer : answers)
            ui.answers.enqueue(answer);
        QCOMPARE(ReplaceCommand(target, search, replacement, SearchOptions(options), ui), replaced);
        QCOMPARE(target.text(), result);
        QCOMPARE(ui.questions.size(), questions);
        QCOMPARE(ui.messages, notFound ? QStringList{NotFoundMessage(search)} : QStringList());
        // The whole command is one undo step.
        QCOMPARE(target.undoList, replaced ? QStringList{text} : QStringList());
    }

    void messages()
    {
        QCOMPARE(NotFoundMessage(u"abc"_s),
                 QStringLiteral("検索文字列 \" abc \" は見つかりませんでした。"));
        QCOMPARE(ConfirmReplaceMessage(u"a"_s, u"b"_s),
                 QStringLiteral(" a   を\r\n b   に 置き換えますか？"));
    }

    void readOnlyTargetIsLeftAlone()
    {
        StringSearchTarget target(u"a a"_s);
        target.readOnly = true;
        ScriptedUserInterface ui;
        QCOMPARE(ReplaceCommand(target, u"a"_s, u"x"_s, Down | ReplaceAll, ui), 0);
        QCOMPARE(target.text(), QStringLiteral("a a"));
        QVERIFY(ui.messages.isEmpty());
    }

    // Find selects, find next goes on from the selection, find previous goes
    // back and the direction stays for later.
    void sessionFindsAgain()
    {
        StringSearchTarget target(u"ab ab ab"_s);
        ScriptedUserInterface ui;
        SearchSession session;
        QCOMPARE(session.startFind({}), QString());
        QVERIFY(session.find(target, u"ab"_s, Down | ReplaceAll, ui));
        QCOMPARE(session.options, SearchOptions(Down));
        QCOMPARE(target.selectionStart(), 0);
        QVERIFY(session.findAgain(target, true, ui));
        QCOMPARE(target.selectionStart(), 3);
        QVERIFY(session.findAgain(target, false, ui));
        QCOMPARE(target.selectionStart(), 0);
        QVERIFY(!session.findAgain(target, false, ui));
        QCOMPARE(ui.messages, QStringList{NotFoundMessage(u"ab"_s)});
        QVERIFY(session.findAgain(target, true, ui));
        QCOMPARE(target.selectionStart(), 3);
        QCOMPARE(session.startFind(u"b"_s), QStringLiteral("b"));
        QCOMPARE(session.options, SearchOptions(0));
        session.startReplace();
        QVERIFY(
            !session.findAgain(target, true, ui)); // nothing to search for until a dialog succeeds
    }

    void menuState()
    {
        const SearchMenuState none = SearchMenuEnabled(false, false);
        QVERIFY(!none.find && !none.findNext && !none.findBack && !none.replace);
        const SearchMenuState source = SearchMenuEnabled(true, true);
        QVERIFY(source.find && source.findNext && source.findBack && !source.replace);
        QVERIFY(SearchMenuEnabled(true, false).replace);
    }

    void confirmBoxPosition_data()
    {
        QTest::addColumn<QPoint>("caret");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("above the caret line") << QPoint(100, 300) << QPoint(102, 300 - 80 - 16);
        QTest::newRow("below near the top") << QPoint(100, 50) << QPoint(102, 66);
        QTest::newRow("kept inside the right edge")
            << QPoint(900, 300) << QPoint(1023 - 4 - 200, 204);
    }
    void confirmBoxPosition()
    {
        QFETCH(QPoint, caret);
        QFETCH(QPoint, position);
        QCOMPARE(ConfirmBoxPosition(caret, 16, QSize(200, 80), QRect(0, 0, 1024, 768)), position);
    }
};

QTEST_GUILESS_MAIN(TestSearchCommands)
#include "tst_searchcommands.moc"
