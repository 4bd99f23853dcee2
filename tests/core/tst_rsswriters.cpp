#include "core/feed/rss1writer.h"
#include "core/feed/rss2writer.h"
#include "core/feed/rssfile.h"
#include "datarows.h"
#include "examplefeed.h"
#include "feedcheck.h"
#include "testfiles.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

// Texts written as UTF-8 literals.
QStringList utf8List(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list << QString::fromUtf8(text);
    return list;
}

// What is wrong with a text whose lines end in CR LF: a line of present
// that is not one of its lines, a line that starts with one of
// absentStarts, or a missing final CR LF. Empty when nothing is.
QString lineProblem(const QString &text, const QStringList &present,
                    const QStringList &absentStarts)
{
    if (!text.endsWith(QStringLiteral("\r\n")))
        return QStringLiteral("the text does not end in CR LF");
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (const QString &line : present) {
        if (!lines.contains(line))
            return QStringLiteral("missing line: ") + line + QStringLiteral("\n---\n") + text;
    }
    for (const QString &start : absentStarts) {
        for (const QString &line : lines) {
            if (line.startsWith(start))
                return QStringLiteral("unexpected line: ") + line;
        }
    }
    return {};
}

const QString OutputPath = u"/home/user/My RSS Data/out/news.rdf"_s;

struct ItemFields
{
    QString url;
    QString date;
    QString title = u"記事"_s;
};

FeedEdit withItems(const QList<ItemFields> &rows)
{
    return [rows](FeedData &feed) {
        feed.items.clear();
        for (const ItemFields &row : rows)
            feed.addItem(FeedItem{row.title, row.date, row.url, QString(), QString(), QString()});
    };
}

// The rdf:resource of every rdf:li and the rdf:about of every item, in
// file order: the channel must list exactly the items that follow it.
std::pair<QStringList, QStringList> sequenceAndItems(const QString &text)
{
    QXmlStreamReader xml(text);
    QStringList sequence, items;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.qualifiedName() == u"rdf:li")
            sequence << xml.attributes().value(u"rdf:resource"_s).toString();
        else if (xml.qualifiedName() == u"item")
            items << xml.attributes().value(u"rdf:about"_s).toString();
    }
    return {sequence, items};
}

// The titles of the written items in file order; an item without a title
// element gives an empty entry.
QStringList itemTitles(const QString &text)
{
    QXmlStreamReader xml(text);
    QStringList titles;
    bool inItem = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"item") {
            titles.append(QString());
            inItem = true;
        } else if (xml.isEndElement() && xml.name() == u"item") {
            inItem = false;
        } else if (xml.isStartElement() && inItem && xml.name() == u"title") {
            titles.last() = xml.readElementText();
        }
    }
    return titles;
}

FeedData feedWithTitles(const QStringList &titles, int rssline)
{
    FeedData feed = exampleFeed();
    feed.items.clear();
    for (const QString &title : titles)
        feed.addItem(FeedItem{title, u"2005-12-01 10:00:00"_s,
                              u"http://example.jp/site/"_s + title.trimmed(), QString(), QString(),
                              QString()});
    feed.settings.rssline = rssline;
    return feed;
}

// The text written by the writer that ver picks.
RssText writeRss(const FeedData &feed, const QString &outputPath, const QString &styleArgument)
{
    return feed.settings.ver == RssVersion::Rss1
               ? WriteRss1(feed, outputPath, styleArgument, exampleClock())
               : WriteRss2(feed, styleArgument, exampleClock());
}

feedcheck::Format formatOf(int ver)
{
    return ver == 0 ? feedcheck::Format::Rss1 : feedcheck::Format::Rss2;
}

} // namespace

// The RSS 1.0 and RSS 2.0 writers; ver 0 picks RSS 1.0, any other RSS 2.0.
class TestRssWriters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesTheExampleFeed_data()
    {
        Columns<int, QString>("ver", "dataName");
        QTest::newRow("RSS 1.0") << 0 << u"rss/example.rdf"_s;
        QTest::newRow("RSS 2.0") << 1 << u"rss/example.xml"_s;
        QTest::newRow("any other ver is RSS 2.0") << 7 << u"rss/example.xml"_s;
    }
    void writesTheExampleFeed()
    {
        const auto [ver, dataName] = Fetch<int, QString>("ver", "dataName");
        FeedData feed = exampleFeed();
        feed.settings.ver = RssVersion(ver);
        const RssText rss = writeRss(feed, OutputPath, QString());
        const QByteArray expected = testfiles::readAll(testfiles::dataPath(dataName));
        QCOMPARE(rss.text.toUtf8(), expected);
        QVERIFY(rss.noDuplicates);
        QCOMPARE(RssFileBytes(feed, OutputPath, exampleClock()).bytes, expected);
        FEEDCHECK_ACCEPTS(expected, formatOf(ver));
    }

    void lines_data()
    {
        // present: whole lines
        // absent: no line starts with these
        Columns<int, FeedEdit, QString, QString, QStringList, QStringList>(
            "ver", "edit", "outputPath", "styleArgument", "present", "absent");
        const auto row1 =
            [](const char *name, FeedEdit edit, std::initializer_list<const char *> present,
               std::initializer_list<const char *> absent = {}, const char *outputPath = nullptr) {
                QTest::addRow("RSS 1.0, %s", name)
                    << 0 << edit << (outputPath ? QString::fromUtf8(outputPath) : OutputPath)
                    << QString() << utf8List(present) << utf8List(absent);
            };
        const auto row2 =
            [](const char *name, FeedEdit edit, std::initializer_list<const char *> present,
               std::initializer_list<const char *> absent = {}, const char *styleArgument = "") {
                QTest::addRow("RSS 2.0, %s", name)
                    << 1 << edit << OutputPath << QString::fromUtf8(styleArgument)
                    << utf8List(present) << utf8List(absent);
            };
        const FeedEdit none = [](FeedData &) {};
        const auto newest = [](FeedData &feed) -> FeedItem & { return feed.items.last(); };

        // Without items, since their texts stand at the channel's indent.
        row1("empty channel texts leave their elements out",
             [](FeedData &f) {
                 f.items.clear();
                 f.settings.title.clear();
                 f.settings.description = u"\r\n"_s;
                 f.settings.creator = u" \u3000 "_s;
             },
             {"    <link>http://example.jp/site/news.html</link>"},
             {"    <title>", "    <description>", "    <dc:creator>"});
        row1("without src and root the channel has no address",
             [](FeedData &f) {
                 f.settings.root = u" "_s;
                 f.settings.html = false;
             },
             {"  <channel>"}, {"  <channel rdf:about"});
        row1("unresolved file name in the preview", none,
             {"  <channel rdf:about=\"http://example.jp/site/[ファイル名未解決]\">"}, {},
             "[ファイル名未解決]");
        row1("date that does not exist gives no dc:date",
             [newest](FeedData &f) { newest(f).date = u"2005-02-30 10:00:00"_s; },
             {"    <link>http://example.jp/site/news.html#bk20050230100000</link>"},
             {"    <dc:date>2005-02-30"});
        row1("language en", [](FeedData &f) { f.settings.language = u"en"_s; },
             {"  xml:lang=\"en\">", "    <dc:language>en</dc:language>"});
        row1("logo",
             [](FeedData &f) {
                 f.settings.logosrc = u"http://example.jp/logo.png?a=1&b=2"_s;
                 f.settings.logotitle = u"ロゴ"_s;
             },
             {"    <image rdf:resource=\"http://example.jp/logo.png?a=1&amp;b=2\"/>",
              "  <image rdf:about=\"http://example.jp/logo.png?a=1&amp;b=2\">",
              "    <title>ロゴ</title>", "    <link>http://example.jp/site/</link>",
              "    <url>http://example.jp/logo.png?a=1&amp;b=2</url>", "  </image>"});
        row1(
            "item elements in their order",
            [newest](FeedData &f) {
                f.settings.content = true;
                newest(f).subject = u"新製品"_s;
                newest(f).creator = u"鈴木"_s;
            },
            {"  xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"",
             "    <dc:subject>新製品</dc:subject>", "    <dc:creator>鈴木</dc:creator>",
             "    <content:encoded><![CDATA[新しい<b>商品</b>を追加しました]]></content:encoded>"});
        row1("quote and markup in addresses stay inside the attribute",
             [newest](FeedData &f) { newest(f).url = u"http://example.jp/a?x=1&y=\"2\"<3>"_s; },
             {"        <rdf:li rdf:resource=\"http://example.jp/a?x=1&amp;y=&quot;2&quot;&lt;3&gt;"
              "#bk20051201100000\"/>",
              "  <item rdf:about=\"http://example.jp/a?x=1&amp;y=&quot;2&quot;&lt;3&gt;"
              "#bk20051201100000\">",
              "    <link>http://example.jp/a?x=1&amp;y=\"2\"&lt;3&gt;</link>"});
        row1("src names the feed's folder, a quote in it stays inside the attribute",
             [](FeedData &f) { f.settings.src = u"http://example.jp/\"x\""_s; },
             {"  <channel rdf:about=\"http://example.jp/&quot;x&quot;/news.rdf\">"});
        row1("characters XML forbids are dropped from addresses",
             [newest](FeedData &f) { newest(f).url = u"http://example.jp/\u0008a\uFFFF"_s; },
             {"  <item rdf:about=\"http://example.jp/a#bk20051201100000\">"});
        row2("empty channel texts leave their elements out",
             [](FeedData &f) {
                 f.settings.title.clear();
                 f.settings.description.clear();
                 f.settings.creator = u" \u3000 "_s;
             },
             {}, {"    <title>", "    <description>", "    <dc:creator>"});
        row2("channel values of its own",
             [](FeedData &f) {
                 f.settings.language = u"en"_s;
                 f.settings.link = u" http://example.jp/ "_s;
                 f.settings.style = u"css/rss.xsl"_s;
             },
             {"  xml:lang=\"en\">", "    <language>en</language>",
              "    <link>http://example.jp/</link>",
              "<?xml-stylesheet type=\"text/xsl\" href=\"css/rss.xsl\"?>"});
        row2("no language is ja", [](FeedData &f) { f.settings.language.clear(); },
             {"  xml:lang=\"ja\">", "    <language>ja</language>"});
        row2("channel link falls back to root", [](FeedData &f) { f.settings.html = false; },
             {"    <link>http://example.jp/site/</link>"});
        row2("item without link and without page label has no link",
             [](FeedData &f) { f.settings.htmllabel = false; }, {},
             {"      <link>http://example.jp/site/news.html"});
        row2("blank item link uses the page",
             [newest](FeedData &f) { newest(f).url = u" \u3000"_s; },
             {"      <link>http://example.jp/site/news.html#bk20051201100000</link>"});
        row2("style file name is made relative",
             [](FeedData &f) { f.settings.style = u"rss.xsl"_s; },
             {"<?xml-stylesheet type=\"text/xsl\" href=\"./rss.xsl\"?>"});
        row2(
            "star means no stylesheet", [](FeedData &f) { f.settings.style = u"rss.xsl"_s; }, {},
            {"<?xml-stylesheet"}, "*");
        row2(
            "style argument is used unchanged",
            [](FeedData &f) { f.settings.style = u"rss.xsl"_s; },
            {"<?xml-stylesheet type=\"text/xsl\" href=\"preview.xsl\"?>"}, {}, "preview.xsl");
        row2("quote in the style cannot end the instruction",
             [](FeedData &f) { f.settings.style = u"a\"b?>&.xsl"_s; },
             {"<?xml-stylesheet type=\"text/xsl\" href=\"./a&quot;b?&gt;&amp;.xsl\"?>"});
        row2("quote in the language cannot end the attribute",
             [](FeedData &f) { f.settings.language = u"ja\"><x"_s; },
             {"  xml:lang=\"ja&quot;&gt;&lt;x\">", "    <language>ja\"&gt;&lt;x</language>"});
        row2("markup characters in texts are escaped",
             [newest](FeedData &f) {
                 f.settings.title = u"A & B <C>"_s;
                 newest(f).title = u"\"速報\" & <b>"_s;
                 newest(f).subject = u"R&D"_s;
                 newest(f).creator = u"<山田>"_s;
             },
             {"    <title>A &amp; B &lt;C&gt;</title>",
              "      <title>\"速報\" &amp; &lt;b&gt;</title>", "      <category>R&amp;D</category>",
              "      <dc:creator>&lt;山田&gt;</dc:creator>"});
        row2("content carries the description as stored",
             [newest](FeedData &f) {
                 f.settings.descstrmax = 0;
                 f.settings.content = true;
                 newest(f).desc = u"<b>速報</b>: 本日&amp;明日"_s;
             },
             {"  xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"",
              "      <description>速報: 本日&amp;明日</description>",
              "      <content:encoded><![CDATA[<b>速報</b>: 本日&amp;明日]]></content:encoded>"});
        row2("description cut at the limit",
             [newest](FeedData &f) {
                 f.settings.descstrmax = 20;
                 newest(f).desc = u"あいうえおかきくけこさしすせそたちつてとなにぬねの"_s;
             },
             {"      <description>あいうえおかきくけこさしすせそたちつてと ...</description>"});
        row2("multi-line description keeps its inner line breaks",
             [newest](FeedData &f) {
                 f.settings.descstrmax = 0;
                 newest(f).desc = u"\r\n一行目\r\n<br>二行目\r\n"_s;
             },
             {"      <description>一行目", "二行目</description>"});
        row2("logo with the root as its link",
             [](FeedData &f) {
                 f.settings.logosrc = u"http://example.jp/logo.png"_s;
                 f.settings.logotitle = u"ロゴ"_s;
             },
             {"    <image>", "      <title>ロゴ</title>",
              "      <link>http://example.jp/site/</link>",
              "      <url>http://example.jp/logo.png</url>", "    </image>"});
        row2("invalid item date gives no pubDate",
             [newest](FeedData &f) { newest(f).date = u"2005-02-30 00:00:00"_s; },
             {"      <link>http://example.jp/site/news.html#bk20050230000000</link>",
              "      <pubDate>Sun, 20 Nov 2005 09:00:00 +0900</pubDate>"},
             {"      <pubDate>Thu"});
        row2("characters XML forbids are dropped",
             [newest](FeedData &f) {
                 f.settings.title = u"更新\u0001情報\uFFFF"_s + QChar(0xD800);
                 newest(f).title = u"新\u000B商品"_s + QChar(0xDC00) + QChar(0xFFFE);
                 newest(f).desc = u"a\u001Fb\tc"_s;
                 newest(f).creator = u"\U0001F600さん"_s;
             },
             {"    <title>更新情報</title>", "      <title>新商品</title>",
              "      <description>ab\tc</description>",
              "      <dc:creator>\U0001F600さん</dc:creator>"});
    }
    void lines()
    {
        const auto [ver, edit, outputPath, styleArgument, present, absent] =
            Fetch<int, FeedEdit, QString, QString, QStringList, QStringList>(
                "ver", "edit", "outputPath", "styleArgument", "present", "absent");
        FeedData feed = exampleFeed();
        feed.settings.ver = RssVersion(ver);
        edit(feed);

        const RssText rss = writeRss(feed, outputPath, styleArgument);
        const QString problem = lineProblem(rss.text, present, absent);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        if (ver == 0) {
            const auto [sequence, items] = sequenceAndItems(rss.text);
            QCOMPARE(sequence, items);
        }
        const RssFileContent file = RssFileBytes(feed, outputPath, exampleClock(), styleArgument);
        QCOMPARE(file.bytes, rss.text.toUtf8());
        FEEDCHECK_ACCEPTS(file.bytes, formatOf(ver));
    }

    void itemSelection_data()
    {
        // titles: oldest first
        // written: file order
        Columns<QStringList, int, QStringList>("titles", "rssline", "written");

        QStringList thirty;
        for (int i = 1; i <= 30; ++i)
            thirty << u"item %1"_s.arg(i);
        QStringList newestFifteen;
        for (int i = 30; i >= 16; --i)
            newestFifteen << u"item %1"_s.arg(i);

        QTest::newRow("newest first, at most rssline") << thirty << 15 << newestFifteen;
        QTest::newRow("fewer items than rssline")
            << utf8List({"a", "b"}) << 15 << utf8List({"b", "a"});
        QTest::newRow("empty titles are skipped and not counted")
            << utf8List({"a", "", "b", "", "c", ""}) << 2 << utf8List({"c", "b"});
        QTest::newRow("a title of spaces counts, without title element")
            << utf8List({"a", "   "}) << 15 << utf8List({"", "a"});
        QTest::newRow("rssline 0 still writes one") << utf8List({"a", "b"}) << 0 << utf8List({"b"});
        QTest::newRow("no items") << QStringList{} << 15 << QStringList{};
    }

    void itemSelection()
    {
        const auto [titles, rssline] = Fetch<QStringList, int>("titles", "rssline");
        const RssText rss = WriteRss2(feedWithTitles(titles, rssline), QString(), exampleClock());
        QTEST(itemTitles(rss.text), "written");
        QVERIFY(rss.noDuplicates);
    }

    void duplicates_data()
    {
        Columns<FeedEdit, int, bool, int>("edit", "rssline", "noDuplicates", "written");

        const QString at = u"2005-12-01 10:00:00"_s;
        const QString later = u"2005-12-01 10:00:01"_s;
        const QString a = u"http://example.jp/a.html"_s;
        const QString b = u"http://example.jp/b.html"_s;
        const auto row = [](const char *name, const QList<ItemFields> &items, int rssline,
                            bool noDuplicates, int written) {
            QTest::newRow(name) << withItems(items) << rssline << noDuplicates << written;
        };

        row("two without link at the same time", {{QString(), at}, {QString(), at}}, 15, false, 2);
        row("same link at the same time", {{a, at}, {a, at}}, 15, false, 2);
        row("links differing only in case", {{a, at}, {u"HTTP://Example.JP/A.html"_s, at}}, 15,
            false, 2);
        row("same link at different times", {{a, at}, {a, later}}, 15, true, 2);
        row("different links at the same time", {{a, at}, {b, at}}, 15, true, 2);
        row("the older twin is beyond rssline", {{a, at}, {a, at}, {b, at}}, 2, true, 2);
        row("the twin has no title", {{a, at, QString()}, {a, at}}, 15, true, 1);
        row("twins apart from each other", {{a, at}, {b, at}, {a, at}}, 15, false, 3);
    }

    void duplicates()
    {
        const auto [edit, rssline, noDuplicates, written] =
            Fetch<FeedEdit, int, bool, int>("edit", "rssline", "noDuplicates", "written");
        FeedData feed = exampleFeed();
        feed.settings.ver = RssVersion::Rss1;
        feed.settings.rssline = rssline;
        edit(feed);

        const RssText rss = WriteRss1(feed, OutputPath, QString(), exampleClock());
        QCOMPARE(rss.noDuplicates, noDuplicates);
        // The file is complete either way.
        QCOMPARE(rss.text.count(u"<rdf:li "_s), written);
        QCOMPARE(rss.text.count(u"  <item "_s), written);
        const RssFileContent file = RssFileBytes(feed, OutputPath, exampleClock());
        QCOMPARE(file.noDuplicates, noDuplicates);
        FEEDCHECK_ACCEPTS(file.bytes, feedcheck::Format::Rss1);
    }
};

QTEST_GUILESS_MAIN(TestRssWriters)
#include "tst_rsswriters.moc"
