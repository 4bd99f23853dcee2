#include "core/feed/feeddates.h"
#include "core/text/textops.h"
#include "datarows.h"
#include "testfiles.h"

#include <QRegularExpression>
#include <QTest>
#include <ctime>

using namespace Qt::StringLiterals;
using testfiles::u8;
using TextFunction = QString (*)(const QString &);
using TextFunctions = QList<TextFunction>;
Q_DECLARE_METATYPE(TextFunctions)

namespace {

// A character outside the Basic Multilingual Plane (two UTF-16 units).
const QString Emoji = QString::fromUtf8("\xF0\x9F\x98\x80");

// Sets the machine's zone for the rest of the test; the dates written must
// not depend on it.
void setZone(const QByteArray &zone)
{
    qputenv("TZ", zone);
    tzset();
}

} // namespace

// The text and date helpers the feed writers share.
class TestTextOps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The functions from one text to another, each checked against its rows.
    void textFunctions_data()
    {
        Columns<TextFunctions, QString, QString>("functions", "text", "expected");
        const char *group = nullptr;
        TextFunctions functions;
        const auto use = [&](const char *name, TextFunctions list) {
            group = name;
            functions = list;
        };
        const auto row = [&](const char *name, const QString &text, const QString &expected) {
            QTest::addRow("%s: %s", group, name) << functions << text << expected;
        };

        use("text", {[](const QString &text) { return EscapeXmlText(text); }});
        row("text set, quote untouched", u8("a<b & c>d \"q\""), u8("a&lt;b &amp; c&gt;d \"q\""));
        row("entity escaped again", u8("&amp;"), u8("&amp;amp;"));
        row("reference escaped without keeping", u8("&#38;"), u8("&amp;#38;"));

        use("text keeping references",
            {[](const QString &text) { return EscapeXmlText(text, true); }});
        row("decimal reference", u8("&#38;"), u8("&#38;"));
        row("entity still escaped", u8("&amp;"), u8("&amp;amp;"));
        row("final unterminated reference", u8("a&#160"), u8("a&#160"));
        row("no digits", u8("&#;"), u8("&amp;#;"));
        row("hexadecimal", u8("&#x41;"), u8("&amp;#x41;"));
        row("digits then letter", u8("&#12a;"), u8("&amp;#12a;"));
        row("lone ampersand at end", u8("a&"), u8("a&amp;"));
        row("hash at end", u8("a&#"), u8("a&amp;#"));
        row("full-width digits", u8("&#１２;"), u8("&amp;#１２;"));
        row("reference then markup", u8("&#60;<&#62;>"), u8("&#60;&lt;&#62;&gt;"));

        // Escaping and unescaping again gives the text back.
        use("round trip",
            {[](const QString &text) { return UnescapeXmlText(EscapeXmlText(text)); }});
        for (const QString &text : {u8("<a href=\"x\">&amp;</a>"), u8("&lt;&gt;&amp;amp;"),
                                    u8("&&&;;&gt&lt;"), u8("日本語 & <テスト>")})
            QTest::addRow("round trip: %s", qPrintable(text)) << functions << text << text;

        use("attribute", {EscapeXmlAttr, EscapeMarkup});
        row("quotes and ampersand", u8("say \"hi\" & go"), u8("say &quot;hi&quot; &amp; go"));
        row("all four", u8("<\"&'>"), u8("&lt;&quot;&amp;'&gt;"));
        row("references not kept", u8("&#160;"), u8("&amp;#160;"));

        use("unescape", {UnescapeXmlText});
        row("no ampersand", u8("a<b"), u8("a<b"));
        row("three entities", u8("&lt;p&gt; &amp;"), u8("<p> &"));
        row("decoded once: lt", u8("&amp;lt;"), u8("&lt;"));
        row("decoded once: amp", u8("&amp;amp;"), u8("&amp;"));
        row("ampersand before an entity", u8("&&gt;&&amp;"), u8("&>&&"));
        row("other entities stay", u8("&quot;&nbsp;&#38;"), u8("&quot;&nbsp;&#38;"));
        row("unterminated", u8("&lt &amp"), u8("&lt &amp"));

        use("markup", {UnescapeMarkup});
        row("no ampersand", u8("a<b>c"), u8("a<b>c"));
        row("markup set", u8("&lt;&gt;&quot;&amp;&hellip;"), u8("<>\"&…"));
        row("repeated: lt", u8("&amp;lt;"), u8("<"));
        row("repeated: nested amp", u8("&amp;amp;amp;quot;"), u8("\""));
        row("nbsp from amp", u8("&amp;nbsp;"), u8(" "));
        row("nbsp lower case only", u8("&NBSP;&Amp;"), u8("&NBSP;&Amp;"));
        row("numeric reference stays", u8("&#38;"), u8("&#38;"));
        row("lone ampersand before an escape", u8("&&lt;&"), u8("&<&"));

        use("strip", {StripTags});
        row("tags and entity", u8("<p>A &amp; B</p>"), u8("A & B"));
        row("no tag, no decoding", u8("A &amp; B"), u8("A &amp; B"));
        row("open tag", u8("x<b>y"), u8("xy"));
        row("unclosed less-than", u8("a < b"), u8("a < b"));
        row("unclosed after tag", u8("<i>a</i> < b &amp; c"), u8("a < b & c"));
        row("nbsp and break", u8("1&nbsp;2<br>"), u8("1 2"));
        row("comment and script", u8("a<!-- c --><script>x</script>b"), u8("axb"));
        row("line breaks stay", u8("a<br>\r\nb"), u8("a\r\nb"));
        row("greater-than alone", u8("a > b <i>"), u8("a > b "));
        row("escaped markup", u8("<p>&lt;b&gt;</p>"), u8("<b>"));

        use("trim", {TrimWide});
        row("mixed spaces", u8("　 abc 　"), u8("abc"));
        row("controls outside", u8("\t\r\n　x　\r\n"), u8("x"));
        row("inside kept", u8(" a 　b "), u8("a 　b"));
        row("only blanks", u8("\t　 \n"), QString());
        // Controls are removed before the ideographic spaces, so a control
        // behind an ideographic space stays.
        row("control behind ideographic space", u8("　\tx\t　"), u8("\tx\t"));
        row("other characters kept", u8("\x7f x"), u8("\x7f x"));

        use("separator", {AddUrlSlash, AddPathDelimiter});
        row("empty", QString(), QString());
        row("three characters", u8("abc"), u8("abc"));
        row("four characters", u8("abcd"), u8("abcd/"));
        row("already ends", u8("abcd/"), u8("abcd/"));
        row("three characters with pair", u8("ab") + Emoji, u8("ab") + Emoji);

        use("anchor", {ItemAnchor});
        row("date and time", u8("2005-01-02 03:04:05"), u8("bk20050102030405"));
        row("date only", u8("2005-01-02"), u8("bk20050102"));
        row("empty", QString(), u8("bk"));
        row("other characters stay", u8("2005/01/02 T"), u8("bk2005/01/02T"));
    }
    void textFunctions()
    {
        const auto [functions, text] = Fetch<TextFunctions, QString>("functions", "text");
        for (const TextFunction function : functions)
            QTEST(function(text), "expected");
    }

    void shapeDescription_data()
    {
        Columns<QString, int, QString>("text", "limit", "expected");
        QTest::newRow("cut japanese") << u8("<b>日本語のテキスト</b>") << 5 << u8("日本語のテ ...");
        QTest::newRow("exactly the limit") << u8("日本語のテ") << 5 << u8("日本語のテ");
        QTest::newRow("no limit") << u8("<b>日本語のテキスト</b>") << 0 << u8("日本語のテキスト");
        QTest::newRow("negative limit") << u8("abcdef") << -1 << u8("abcdef");
        QTest::newRow("cut after space keeps it") << u8("abc def") << 4 << u8("abc  ...");
        QTest::newRow("line breaks count") << u8("ab\r\ncd") << 3 << u8("ab\r ...");
        QTest::newRow("counted after decoding") << u8("<p>a&amp;b</p>") << 3 << u8("a&b");
        QTest::newRow("surrogate pairs count once")
            << Emoji + Emoji + Emoji << 3 << Emoji + Emoji + Emoji;
        QTest::newRow("surrogate pair kept whole")
            << u8("a") + Emoji + Emoji + u8("b") << 2 << u8("a") + Emoji + u8(" ...");
    }
    void shapeDescription()
    {
        const auto [text, limit] = Fetch<QString, int>("text", "limit");
        QTEST(ShapeDescription(text, limit), "expected");
    }

    void charCountAndCopy_data()
    {
        Columns<QString, int, int, int, QString>("text", "first", "count", "chars", "copied");
        QTest::newRow("ascii") << u8("abcdef") << 2 << 3 << 6 << u8("bcd");
        QTest::newRow("past the end") << u8("abc") << 2 << 10 << 3 << u8("bc");
        QTest::newRow("start past the end") << u8("abc") << 5 << 1 << 3 << QString();
        QTest::newRow("zero count") << u8("abc") << 1 << 0 << 3 << QString();
        QTest::newRow("first below one") << u8("abc") << 0 << 2 << 3 << u8("ab");
        QTest::newRow("pairs") << u8("a") + Emoji + u8("b") + Emoji << 2 << 2 << 4
                               << Emoji + u8("b");
        QTest::newRow("after pair") << Emoji + u8("xy") << 2 << 1 << 3 << u8("x");
    }
    void charCountAndCopy()
    {
        const auto [text, first, count] = Fetch<QString, int, int>("text", "first", "count");
        QTEST(CharCount(text), "chars");
        QTEST(CopyChars(text, first, count), "copied");
    }

    void writeElementLine_data()
    {
        Columns<int, QString, QString, bool, QString>("level", "name", "value", "asCData",
                                                      "expected");
        QTest::newRow("blank value") << 2 << u8("title") << u8("  ") << false << QString();
        QTest::newRow("empty cdata") << 2 << u8("d") << QString() << true << QString();
        QTest::newRow("cdata untouched")
            << 3 << u8("content:encoded") << u8(" x ") << true
            << u8("      <content:encoded><![CDATA[ x ]]></content:encoded>\r\n");
        QTest::newRow("escaped and trimmed") << 1 << u8("title") << u8("　a & <b> ") << false
                                             << u8("  <title>a &amp; &lt;b&gt;</title>\r\n");
        QTest::newRow("references escaped")
            << 0 << u8("t") << u8("&#160;") << false << u8("<t>&amp;#160;</t>\r\n");
        QTest::newRow("cdata end split") << 0 << u8("d") << u8("a]]>b") << true
                                         << u8("<d><![CDATA[a]]]]><![CDATA[>b]]></d>\r\n");
    }
    void writeElementLine()
    {
        const auto [level, name, value, asCData, expected] =
            Fetch<int, QString, QString, bool, QString>("level", "name", "value", "asCData",
                                                        "expected");
        QString out = u8("before\r\n");
        WriteElementLine(out, level, name, value, asCData);
        QCOMPARE(out, u8("before\r\n") + expected);
    }

    void writeLine_data()
    {
        Columns<QString, QString>("line", "expected");
        QTest::newRow("untrimmed") << u8("  <a> ") << u8("  <a> \r\n");
        QTest::newRow("blank") << u8(" 　\t") << QString();
    }
    void writeLine()
    {
        QFETCH(QString, line);
        QString out;
        WriteLine(out, line);
        QTEST(out, "expected");
    }

    void cleanupTestCase()
    {
        qunsetenv("TZ");
        tzset();
    }

    void itemDates_data()
    {
        Columns<QString, QString, QString>("date", "rfc822", "w3c");
        const auto row = [](const char *name, const char *date, const char *rfc822,
                            const char *w3c) {
            QTest::newRow(name) << QString::fromUtf8(date) << QString::fromUtf8(rfc822)
                                << QString::fromUtf8(w3c);
        };

        row("date and time", "2005-01-02 03:04:05", "Sun, 2 Jan 2005 03:04:05 +0900",
            "2005-01-02T03:04:05+09:00");
        row("date only is midnight", "2005-01-02", "Sun, 2 Jan 2005 00:00:00 +0900",
            "2005-01-02T00:00:00+09:00");
        row("leap day", "2004-02-29 12:00:00", "Sun, 29 Feb 2004 12:00:00 +0900",
            "2004-02-29T12:00:00+09:00");
        row("last day", "9999-12-31 23:59:59", "Fri, 31 Dec 9999 23:59:59 +0900",
            "9999-12-31T23:59:59+09:00");
        row("year without zeros", "0001-01-01", "Mon, 1 Jan 1 00:00:00 +0900",
            "0001-01-01T00:00:00+09:00");
        // A time that the daylight-saving change skips in some zones.
        row("skipped local hour", "2026-03-08 02:30:00", "Sun, 8 Mar 2026 02:30:00 +0900",
            "2026-03-08T02:30:00+09:00");
        // Both forms read the fields by position only and write the numbers
        // read, so RSS 1.0 and RSS 2.0 date the same items the same way.
        row("slashes are not looked at", "2005/01/02 03:04:05", "Sun, 2 Jan 2005 03:04:05 +0900",
            "2005-01-02T03:04:05+09:00");
        row("ideographic spaces around", "\u30002005-01-02 03:04:05\u3000",
            "Sun, 2 Jan 2005 03:04:05 +0900", "2005-01-02T03:04:05+09:00");
        row("leading digits of a field", "2005-01-1x 03:04:05", "Sat, 1 Jan 2005 03:04:05 +0900",
            "2005-01-01T03:04:05+09:00");
        row("field without digits is 0", "2005-01-02 03:04:ab", "Sun, 2 Jan 2005 03:04:00 +0900",
            "2005-01-02T03:04:00+09:00");
        row("signed hour", "2005-01-02 +3:04:05", "Sun, 2 Jan 2005 03:04:05 +0900",
            "2005-01-02T03:04:05+09:00");
        row("wide character counts once", "2005-01-02 03:04:0\U0001F600",
            "Sun, 2 Jan 2005 03:04:00 +0900", "2005-01-02T03:04:00+09:00");
        // Dates that do not exist give no date in either form.
        row("no such day", "2005-02-30 00:00:00", "", "");
        row("month 13", "2005-13-01", "", "");
        row("hour 24", "2005-01-01 24:00:00", "", "");
        row("second 60", "2005-01-01 23:59:60", "", "");
        row("year 0", "0000-01-01", "", "");
        row("day without digits", "2005-01-xx", "", "");
        row("negative hour", "2005-01-02 -3:04:05", "", "");
        // A line break around the text is trimmed and never reaches the W3C date.
        row("line break after date only", "2005-01-02\n", "Sun, 2 Jan 2005 00:00:00 +0900",
            "2005-01-02T00:00:00+09:00");
        row("short date", "2005-1-2", "", "");
        row("empty", "", "", "");
        row("full-width digits", "２００５-０１-０２", "", "");
        // Every month's name, and every weekday's.
        const char *const days[] = {"Sat, 1 Jan", "Tue, 1 Feb", "Tue, 1 Mar", "Fri, 1 Apr",
                                    "Sun, 1 May", "Wed, 1 Jun", "Fri, 1 Jul", "Mon, 1 Aug",
                                    "Thu, 1 Sep", "Sat, 1 Oct", "Tue, 1 Nov", "Thu, 1 Dec"};
        for (int month = 1; month <= 12; ++month) {
            const QString date = u"2005-%1-01"_s.arg(month, 2, 10, QChar(u'0'));
            QTest::addRow("%s", qPrintable(date))
                << date << QString::fromLatin1(days[month - 1]) + u" 2005 00:00:00 +0900"_s
                << date + u"T00:00:00+09:00"_s;
        }
    }

    void itemDates()
    {
        QFETCH(QString, date);
        for (const QByteArray zone : {"UTC", "America/New_York", "Asia/Tokyo"}) {
            setZone(zone);
            QTEST(Rfc822FromItemDate(date), "rfc822");
            QTEST(W3cFromItemDate(date), "w3c");
        }
    }

    void now_data()
    {
        Columns<QByteArray, QDateTime, QString, QString>("zone", "clockTime", "rfc822", "w3c");

        const QDateTime local(QDate(2026, 12, 6), QTime(9, 5, 7, 999));
        for (const QByteArray zone : {"UTC", "America/New_York", "Asia/Tokyo"}) {
            QTest::addRow("local time in %s", zone.constData())
                << zone << local << "Sun, 6 Dec 2026 09:05:07 +0900"
                << "2026-12-06T09:05:07+09:00";
        }
        // A clock that reports an instant is read on the machine's wall
        // clock, and that wall-clock time is written with the fixed offset.
        const QDateTime instant(QDate(2026, 12, 6), QTime(0, 5, 7), Qt::UTC);
        QTest::newRow("instant in UTC")
            << QByteArray("UTC") << instant << u"Sun, 6 Dec 2026 00:05:07 +0900"_s
            << u"2026-12-06T00:05:07+09:00"_s;
        QTest::newRow("instant in New York")
            << QByteArray("America/New_York") << instant << u"Sat, 5 Dec 2026 19:05:07 +0900"_s
            << u"2026-12-05T19:05:07+09:00"_s;
        QTest::newRow("single-digit day and early year")
            << QByteArray("UTC") << QDateTime(QDate(987, 3, 1), QTime(0, 0, 1))
            << u"Thu, 1 Mar 987 00:00:01 +0900"_s << u"0987-03-01T00:00:01+09:00"_s;
    }

    void now()
    {
        const auto [zone, clockTime] = Fetch<QByteArray, QDateTime>("zone", "clockTime");
        setZone(zone);
        const Clock clock = Clock::fixed(clockTime);
        QTEST(Rfc822Now(clock), "rfc822");
        QTEST(W3cNow(clock), "w3c");
    }

    void systemClockGivesBothForms()
    {
        setZone("America/New_York");
        const Clock system;
        QVERIFY(QRegularExpression(
                    QStringLiteral(R"(^(Mon|Tue|Wed|Thu|Fri|Sat|Sun), [1-9]\d? [A-Z][a-z]{2} )"
                                   R"(\d{4} \d\d:\d\d:\d\d \+0900$)"))
                    .match(Rfc822Now(system))
                    .hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\+09:00$)"))
                    .match(W3cNow(system))
                    .hasMatch());
    }
};

QTEST_GUILESS_MAIN(TestTextOps)
#include "tst_textops.moc"
