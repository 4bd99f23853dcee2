#include "datarows.h"
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
        // notFound: ends with the not-found message
        Columns<QString, int, QString, QString, int, QList<Answer>, QString, int, bool>(
            "text", "caret", "search", "replacement", "options", "answers", "result", "replaced",
            "notFound");

        const auto row = [](const char *name, const char *text, int caret, const char *search,
                            const char *replacement, SearchOptions options,
                            const QList<Answer> &answers, const char *result, int replaced,
                            bool notFound) {
            QTest::newRow(name) << QString::fromUtf8(text) << caret << QString::fromUtf8(search)
                                << QString::fromUtf8(replacement) << int(options) << answers
                                << QString::fromUtf8(result) << replaced << notFound;
        };
        row("one", "a b a", 0, "a", "x", Down | Replace, {}, "x b a", 1, false);
        row("one up", "a b a", 5, "a", "x", Replace, {}, "a b x", 1, false);
        row("one, nothing there", "b", 0, "a", "x", Down | Replace, {}, "b", 0, true);
        row("all down from caret", "a a a", 1, "a", "x", Down | ReplaceAll, {}, "a x x", 2, true);
        row("all up from caret", "a a a", 3, "a", "x", ReplaceAll, {}, "x x a", 2, true);
        row("a by aa ends", "aaa", 0, "a", "aa", Down | ReplaceAll, {}, "aaaaaa", 3, true);
        row("a by aa up ends", "aaa", 3, "a", "aa", ReplaceAll, {}, "aaaaaa", 3, true);
        row("shorter", "<br><br>", 0, "<br>", "", Down | ReplaceAll, {}, "", 2, true);
        row("japanese full-width", "ＡＢＣとabc", 0, "abc", "エー",
            Down | ReplaceAll | NoMatchZenkaku, {}, "エーとエー", 2, true);
        row("confirm yes no yes", "a a a", 0, "a", "x", Down | ReplaceAll | Confirm,
            {Answer::Yes, Answer::No, Answer::Yes}, "x a x", 2, true);
        row("confirm no up moves on", "a a a", 5, "a", "x", ReplaceAll | Confirm,
            {Answer::No, Answer::Yes, Answer::No}, "a x a", 1, true);
        row("confirm all", "a a a", 0, "a", "bb", Down | Replace | Confirm, {Answer::All},
            "bb bb bb", 3, true);
        row("confirm cancel", "a a a", 0, "a", "x", Down | ReplaceAll | Confirm,
            {Answer::Yes, Answer::Cancel}, "x a a", 1, false);
        row("confirm one, no", "a a", 0, "a", "x", Down | Replace | Confirm, {Answer::No}, "a a", 0,
            false);
    }
    void replace()
    {
        const auto [text, caret, search, replacement, options, answers, replaced, notFound] =
            Fetch<QString, int, QString, QString, int, QList<Answer>, int, bool>(
                "text", "caret", "search", "replacement", "options", "answers", "replaced",
                "notFound");

        StringSearchTarget target(text, caret);
        ScriptedUserInterface ui;
        ui.answers.append(answers);
        QCOMPARE(ReplaceCommand(target, search, replacement, SearchOptions(options), ui), replaced);
        QTEST(target.text(), "result");
        QCOMPARE(ui.questions.size(), answers.size()); // one question for each answer
        QCOMPARE(ui.messages, notFound ? QStringList{NotFoundMessage(search)} : QStringList());
        // The whole command is one undo step.
        QCOMPARE(target.undoList, replaced ? QStringList{text} : QStringList());
    }

    void messages()
    {
        QCOMPARE(NotFoundMessage(u"abc"_s), u"検索文字列 \" abc \" は見つかりませんでした。"_s);
        QCOMPARE(ConfirmReplaceMessage(u"a"_s, u"b"_s), u" a   を\r\n b   に 置き換えますか？"_s);
    }

    void readOnlyTargetIsLeftAlone()
    {
        StringSearchTarget target(u"a a"_s);
        target.readOnly = true;
        ScriptedUserInterface ui;
        QCOMPARE(ReplaceCommand(target, u"a"_s, u"x"_s, Down | ReplaceAll, ui), 0);
        QCOMPARE(target.text(), u"a a"_s);
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
        QCOMPARE(session.startFind(u"b"_s), u"b"_s);
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
        Columns<QPoint, QPoint>("caret", "position");
        QTest::newRow("above the caret line") << QPoint(100, 300) << QPoint(102, 300 - 80 - 16);
        QTest::newRow("below near the top") << QPoint(100, 50) << QPoint(102, 66);
        QTest::newRow("kept inside the right edge")
            << QPoint(900, 300) << QPoint(1023 - 4 - 200, 204);
    }
    void confirmBoxPosition()
    {
        const auto [caret, position] = Fetch<QPoint, QPoint>("caret", "position");
        QCOMPARE(ConfirmBoxPosition(caret, 16, QSize(200, 80), QRect(0, 0, 1024, 768)), position);
    }
};

QTEST_GUILESS_MAIN(TestSearchCommands)
#include "tst_searchcommands.moc"
