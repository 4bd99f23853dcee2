#include "datarows.h"
#include "search/textmatcher.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace SearchFlag;

class TestTextMatcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
};

QTEST_GUILESS_MAIN(TestTextMatcher)
#include "tst_textmatcher.moc"
