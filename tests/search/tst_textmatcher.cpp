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
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("origin");
        QTest::addColumn<int>("start"); // -1: not found
        QTest::addColumn<int>("length");

        QTest::newRow("down from start") << "abc abc"
                                         << "abc" << int(Down) << 0 << 0 << 3;
        QTest::newRow("down skips before origin") << "abc abc"
                                                  << "abc" << int(Down) << 1 << 4 << 3;
        QTest::newRow("down never wraps") << "abc abc"
                                          << "abc" << int(Down) << 5 << -1 << 0;
        QTest::newRow("up ends before origin") << "abc abc"
                                               << "abc" << 0 << 6 << 0 << 3;
        QTest::newRow("up from end") << "abc abc"
                                     << "abc" << 0 << 7 << 4 << 3;
        QTest::newRow("up never wraps") << "abc abc"
                                        << "abc" << 0 << 2 << -1 << 0;
        QTest::newRow("case ignored") << "xABCx"
                                      << "abc" << int(Down) << 0 << 1 << 3;
        QTest::newRow("case matched") << "ABC abc"
                                      << "abc" << int(Down | MatchCase) << 0 << 4 << 3;
        QTest::newRow("case matched up") << "abc ABC"
                                         << "abc" << int(MatchCase) << 7 << 0 << 3;
        QTest::newRow("whole word") << "cat concat cat"
                                    << "cat" << int(Down | WholeWord) << 1 << 11 << 3;
        QTest::newRow("whole word up") << "cat catalog"
                                       << "cat" << int(WholeWord) << 11 << 0 << 3;
        QTest::newRow("word boundary kanji/kana") << "東京とうきょう"
                                                  << "東京" << int(Down | WholeWord) << 0 << 0 << 2;
        QTest::newRow("no boundary inside kanji")
            << "東京都"
            << "東京" << int(Down | WholeWord) << 0 << -1 << 0;
        QTest::newRow("full-width ascii off") << "ＡＢＣ"
                                              << "abc" << int(Down) << 0 << -1 << 0;
        QTest::newRow("full-width ascii") << "xＡＢＣ"
                                          << "abc" << int(Down | NoMatchZenkaku) << 0 << 1 << 3;
        QTest::newRow("full-width case kept")
            << "ＡＢＣ abc"
            << "abc" << int(Down | NoMatchZenkaku | MatchCase) << 0 << 4 << 3;
        QTest::newRow("ideographic space") << "a　b"
                                           << "a b" << int(Down | NoMatchZenkaku) << 0 << 0 << 3;
        QTest::newRow("half-width kana") << "ｶﾀｶﾅ"
                                         << "カタカナ" << int(Down | NoMatchZenkaku) << 0 << 0 << 4;
        QTest::newRow("voiced half-width kana")
            << "ｶﾞｯﾂ"
            << "ガッツ" << int(Down | NoMatchZenkaku) << 0 << 0 << 4;
        QTest::newRow("full-width pattern half-width text")
            << "ﾊﾟﾝ"
            << "パン" << int(Down | NoMatchZenkaku) << 0 << 0 << 3;
        QTest::newRow("half-width pattern up") << "パン パン"
                                               << "ﾊﾟﾝ" << int(NoMatchZenkaku) << 5 << 3 << 2;
        QTest::newRow("kana needs the flag") << "ｶﾀｶﾅ"
                                             << "カタカナ" << int(Down) << 0 << -1 << 0;
        QTest::newRow("line breaks ignored")
            << "ab\r\ncd"
            << "abcd" << int(Down | IgnoreLineBreaks | IgnoreSpaces) << 0 << 0 << 6;
        QTest::newRow("spaces ignored")
            << "x a b　c"
            << "abc" << int(Down | IgnoreLineBreaks | IgnoreSpaces) << 0 << 2 << 5;
        QTest::newRow("pattern spaces ignored")
            << "abc"
            << "a b" << int(Down | IgnoreLineBreaks | IgnoreSpaces) << 0 << 0 << 2;
        QTest::newRow("ignored up") << "a\r\nb a\r\nb"
                                    << "ab" << int(IgnoreLineBreaks | IgnoreSpaces) << 9 << 5 << 4;
        QTest::newRow("all flags")
            << "ＸＹ\r\nＺ xyz"
            << "xyz" << int(Down | NoMatchZenkaku | IgnoreLineBreaks | IgnoreSpaces | WholeWord)
            << 0 << 0 << 5;
        QTest::newRow("only ignored characters") << "a b"
                                                 << " " << int(Down | IgnoreSpaces) << 0 << -1 << 0;
        QTest::newRow("japanese") << "今日は良い天気。良い日"
                                  << "良い" << int(Down) << 4 << 8 << 2;
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(int, options);
        QFETCH(int, origin);
        QFETCH(int, start);
        QFETCH(int, length);
        const TextMatch match = TextMatcher(pattern, SearchOptions(options)).find(text, origin);
        QCOMPARE(match.start, start);
        if (start >= 0)
            QCOMPARE(match.length, length);
    }

    void findAllNeverOverlaps_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("origin");
        QTest::addColumn<QList<int>>("starts");
        QTest::newRow("down") << int(Down) << 1 << QList<int>{1, 3};
        QTest::newRow("up") << 0 << 6 << QList<int>{3, 1};
        QTest::newRow("folded down") << int(Down | NoMatchZenkaku) << 1 << QList<int>{1, 3};
        QTest::newRow("folded up") << int(NoMatchZenkaku) << 5 << QList<int>{3, 1};
    }
    void findAllNeverOverlaps()
    {
        QFETCH(int, options);
        QFETCH(int, origin);
        QFETCH(QList<int>, starts);
        QList<int> found;
        for (const TextMatch &match :
             TextMatcher(u"aa"_s, SearchOptions(options)).findAll(u"xaaaax"_s, origin))
            found << int(match.start);
        QCOMPARE(found, starts);
    }
};

QTEST_GUILESS_MAIN(TestTextMatcher)
#include "tst_textmatcher.moc"
