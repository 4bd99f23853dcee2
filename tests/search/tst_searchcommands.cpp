#include "core/search/searchcommands.h"
#include "core/search/searchsession.h"
#include "core/search/searchsettings.h"
#include "core/search/textmatcher.h"
#include "core/settings/inifile.h"
#include "datarows.h"
#include "scripteduserinterface.h"
#include "stringsearchtarget.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace SearchFlag;
using Answer = UserInterface::Answer;

// Searching: the matcher, the commands on a text, and the stored settings.
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

    void find_data()
    {
        // start: -1: not found
        Columns<QString, QString, int, int, int, int>("text", "pattern", "options", "origin",
                                                      "start", "length");

        const auto row = [](const char *name, const char *text, const char *pattern,
                            SearchOptions options, int origin, int start, int length = 0) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(pattern)
                                << int(options) << origin << start << length;
        };
        row("down from start", "abc abc", "abc", Down, 0, 0, 3);
        row("down skips before origin", "abc abc", "abc", Down, 1, 4, 3);
        row("down never wraps", "abc abc", "abc", Down, 5, -1);
        row("up ends before origin", "abc abc", "abc", {}, 6, 0, 3);
        row("up from end", "abc abc", "abc", {}, 7, 4, 3);
        row("up never wraps", "abc abc", "abc", {}, 2, -1);
        row("case ignored", "xABCx", "abc", Down, 0, 1, 3);
        row("case matched", "ABC abc", "abc", Down | MatchCase, 0, 4, 3);
        row("case matched up", "abc ABC", "abc", MatchCase, 7, 0, 3);
        row("whole word", "cat concat cat", "cat", Down | WholeWord, 1, 11, 3);
        row("whole word up", "cat catalog", "cat", WholeWord, 11, 0, 3);
        row("word boundary kanji/kana", "東京とうきょう", "東京", Down | WholeWord, 0, 0, 2);
        row("no boundary inside kanji", "東京都", "東京", Down | WholeWord, 0, -1);
        row("full-width ascii off", "ＡＢＣ", "abc", Down, 0, -1);
        row("full-width ascii", "xＡＢＣ", "abc", Down | NoMatchZenkaku, 0, 1, 3);
        row("full-width case kept", "ＡＢＣ abc", "abc", Down | NoMatchZenkaku | MatchCase, 0, 4,
            3);
        row("ideographic space", "a　b", "a b", Down | NoMatchZenkaku, 0, 0, 3);
        row("half-width kana", "ｶﾀｶﾅ", "カタカナ", Down | NoMatchZenkaku, 0, 0, 4);
        row("voiced half-width kana", "ｶﾞｯﾂ", "ガッツ", Down | NoMatchZenkaku, 0, 0, 4);
        row("full-width pattern half-width text", "ﾊﾟﾝ", "パン", Down | NoMatchZenkaku, 0, 0, 3);
        row("half-width pattern up", "パン パン", "ﾊﾟﾝ", NoMatchZenkaku, 5, 3, 2);
        row("kana needs the flag", "ｶﾀｶﾅ", "カタカナ", Down, 0, -1);
        row("line breaks ignored", "ab\r\ncd", "abcd", Down | IgnoreLineBreaks | IgnoreSpaces, 0, 0,
            6);
        row("spaces ignored", "x a b　c", "abc", Down | IgnoreLineBreaks | IgnoreSpaces, 0, 2, 5);
        row("pattern spaces ignored", "abc", "a b", Down | IgnoreLineBreaks | IgnoreSpaces, 0, 0,
            2);
        row("ignored up", "a\r\nb a\r\nb", "ab", IgnoreLineBreaks | IgnoreSpaces, 9, 5, 4);
        row("all flags", "ＸＹ\r\nＺ xyz", "xyz",
            Down | NoMatchZenkaku | IgnoreLineBreaks | IgnoreSpaces | WholeWord, 0, 0, 5);
        row("only ignored characters", "a b", " ", Down | IgnoreSpaces, 0, -1);
        row("japanese", "今日は良い天気。良い日", "良い", Down, 4, 8, 2);
    }
    void find()
    {
        const auto [text, pattern, options, origin, start, length] =
            Fetch<QString, QString, int, int, int, int>("text", "pattern", "options", "origin",
                                                        "start", "length");
        const TextMatch match = TextMatcher(pattern, SearchOptions(options)).find(text, origin);
        QCOMPARE(match.start, start);
        if (start >= 0)
            QCOMPARE(match.length, length);
    }

    void findAllNeverOverlaps_data()
    {
        Columns<int, int, QList<int>>("options", "origin", "starts");
        QTest::newRow("down") << int(Down) << 1 << QList<int>{1, 3};
        QTest::newRow("up") << 0 << 6 << QList<int>{3, 1};
        QTest::newRow("folded down") << int(Down | NoMatchZenkaku) << 1 << QList<int>{1, 3};
        QTest::newRow("folded up") << int(NoMatchZenkaku) << 5 << QList<int>{3, 1};
    }
    void findAllNeverOverlaps()
    {
        const auto [options, origin, starts] =
            Fetch<int, int, QList<int>>("options", "origin", "starts");
        QList<int> found;
        for (const TextMatch &match :
             TextMatcher(u"aa"_s, SearchOptions(options)).findAll(u"xaaaax"_s, origin))
            found << int(match.start);
        QCOMPARE(found, starts);
    }

    void remember_data()
    {
        Columns<QStringList, QString, QStringList>("history", "text", "expected");
        QTest::newRow("new in front")
            << QStringList{u"b"_s, u"c"_s} << "a" << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("known moves to front")
            << QStringList{u"b"_s, u"a"_s, u"c"_s} << "a" << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("exact comparison")
            << QStringList{u"A"_s} << "a" << QStringList{u"a"_s, u"A"_s};
        QTest::newRow("line break not kept")
            << QStringList{u"b"_s} << "a\r\nb" << QStringList{u"b"_s};
        QTest::newRow("empty not kept") << QStringList{u"b"_s} << "" << QStringList{u"b"_s};
        QStringList full;
        for (int i = 0; i < 32; ++i)
            full << QString::number(i);
        QStringList pushed = full.first(31);
        pushed.prepend(u"new"_s);
        QTest::newRow("33rd pushes the oldest out") << full << "new" << pushed;
    }
    void remember()
    {
        auto [history, text] = Fetch<QStringList, QString>("history", "text");
        RememberText(history, text);
        QTEST(history, "expected");
    }

    void storedAsOneValuePerEntry()
    {
        SearchSettings settings;
        settings.matchCase = true;
        settings.includeCrlf = true;
        settings.down = false;
        settings.searchItems = {u"新しい"_s, u"古い"_s};
        settings.replaceItems = {u"x"_s};
        IniFile ini;
        WriteSearchSettings(ini, settings);
        QCOMPARE(
            ini.text().remove(u'\r'),
            QStringLiteral("[Options]\nMatchCase=1\nWholeWord=0\nNoMatchZenkaku=0\nIncludeCRLF=1\n"
                           "Direction=0\n\n[SearchItems]\nText0=新しい\nText1=古い\n\n"
                           "[ReplaceItems]\nText0=x\n\n"));
        const SearchSettings read = ReadSearchSettings(ini);
        QCOMPARE(read.searchItems, settings.searchItems);
        QCOMPARE(read.replaceItems, settings.replaceItems);
        QCOMPARE(read.options(),
                 SearchOptions(SearchFlag::MatchCase | SearchFlag::IgnoreLineBreaks |
                               SearchFlag::IgnoreSpaces));
    }

    void defaults()
    {
        const SearchSettings read = ReadSearchSettings(IniFile());
        QCOMPARE(read.options(), SearchOptions(SearchFlag::Down));
        QVERIFY(read.searchItems.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSearchCommands)
#include "tst_searchcommands.moc"
