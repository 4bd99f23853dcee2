#include "datarows.h"
#include "examplefeed.h"
#include "feed/rss2writer.h"
#include "feed/rssfile.h"
#include "feedcheck.h"
#include "testfiles.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

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

TEditList feedWithTitles(const QStringList &titles, int rssline)
{
    TEditList feed = exampleFeed();
    feed.items.clear();
    for (const QString &title : titles)
        feed.addItem(FeedItem{title, u"2005-12-01 10:00:00"_s,
                              u"http://example.jp/site/"_s + title.trimmed(), QString(), QString(),
                              QString()});
    feed.settings.rssline = rssline;
    return feed;
}

} // namespace

class TestRss2Writer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesTheExampleFeed()
    {
        const RssText rss = WriteRss2(exampleFeed(), QString(), exampleClock());
        const QByteArray expected = testfiles::readAll(testfiles::dataPath(u"rss/example.xml"_s));
        QCOMPARE(rss.text.toUtf8(), expected);
        QVERIFY(rss.noDuplicates);
        FEEDCHECK_ACCEPTS(rss.text.toUtf8(), feedcheck::Format::Rss2);
    }

    void lines_data()
    {
        // present: whole lines
        // absent: no line starts with these
        Columns<FeedEdit, QString, QStringList, QStringList>("edit", "styleArgument", "present",
                                                             "absent");

        const auto row =
            [](const char *name, FeedEdit edit, std::initializer_list<const char *> present,
               std::initializer_list<const char *> absent = {}, const char *styleArgument = "") {
                QTest::newRow(name) << edit << QString::fromUtf8(styleArgument) << utf8List(present)
                                    << utf8List(absent);
            };
        const auto newest = [](TEditList &feed) -> FeedItem & { return feed.items.last(); };

        row("empty channel texts leave their elements out",
            [](TEditList &f) {
                f.settings.title.clear();
                f.settings.description.clear();
                f.settings.creator = u" \u3000 "_s;
            },
            {}, {"    <title>", "    <description>", "    <dc:creator>"});
        row("channel values of its own",
            [](TEditList &f) {
                f.settings.language = u"en"_s;
                f.settings.link = u" http://example.jp/ "_s;
                f.settings.style = u"css/rss.xsl"_s;
            },
            {"  xml:lang=\"en\">", "    <language>en</language>",
             "    <link>http://example.jp/</link>",
             "<?xml-stylesheet type=\"text/xsl\" href=\"css/rss.xsl\"?>"});
        row("no language is ja", [](TEditList &f) { f.settings.language.clear(); },
            {"  xml:lang=\"ja\">", "    <language>ja</language>"});
        row("channel link falls back to root", [](TEditList &f) { f.settings.html = false; },
            {"    <link>http://example.jp/site/</link>"});
        row("item without link and without page label has no link",
            [](TEditList &f) { f.settings.htmllabel = false; }, {},
            {"      <link>http://example.jp/site/news.html"});
        row("blank item link uses the page",
            [newest](TEditList &f) { newest(f).url = u" \u3000"_s; },
            {"      <link>http://example.jp/site/news.html#bk20051201100000</link>"});
        row("style file name is made relative",
            [](TEditList &f) { f.settings.style = u"rss.xsl"_s; },
            {"<?xml-stylesheet type=\"text/xsl\" href=\"./rss.xsl\"?>"});
        row(
            "star means no stylesheet", [](TEditList &f) { f.settings.style = u"rss.xsl"_s; }, {},
            {"<?xml-stylesheet"}, "*");
        row(
            "style argument is used unchanged",
            [](TEditList &f) { f.settings.style = u"rss.xsl"_s; },
            {"<?xml-stylesheet type=\"text/xsl\" href=\"preview.xsl\"?>"}, {}, "preview.xsl");
        row("quote in the style cannot end the instruction",
            [](TEditList &f) { f.settings.style = u"a\"b?>&.xsl"_s; },
            {"<?xml-stylesheet type=\"text/xsl\" href=\"./a&quot;b?&gt;&amp;.xsl\"?>"});
        row("quote in the language cannot end the attribute",
            [](TEditList &f) { f.settings.language = u"ja\"><x"_s; },
            {"  xml:lang=\"ja&quot;&gt;&lt;x\">", "    <language>ja\"&gt;&lt;x</language>"});
        row("markup characters in texts are escaped",
            [newest](TEditList &f) {
                f.settings.title = u"A & B <C>"_s;
                newest(f).title = u"\"速報\" & <b>"_s;
                newest(f).subject = u"R&D"_s;
                newest(f).creator = u"<山田>"_s;
            },
            {"    <title>A &amp; B &lt;C&gt;</title>",
             "      <title>\"速報\" &amp; &lt;b&gt;</title>", "      <category>R&amp;D</category>",
             "      <dc:creator>&lt;山田&gt;</dc:creator>"});
        row("content carries the description as stored",
            [newest](TEditList &f) {
                f.settings.descstrmax = 0;
                f.settings.content = true;
                newest(f).desc = u"<b>速報</b>: 本日&amp;明日"_s;
            },
            {"  xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"",
             "      <description>速報: 本日&amp;明日</description>",
             "      <content:encoded><![CDATA[<b>速報</b>: 本日&amp;明日]]></content:encoded>"});
        row("description cut at the limit",
            [newest](TEditList &f) {
                f.settings.descstrmax = 20;
                newest(f).desc = u"あいうえおかきくけこさしすせそたちつてとなにぬねの"_s;
            },
            {"      <description>あいうえおかきくけこさしすせそたちつてと ...</description>"});
        row("multi-line description keeps its inner line breaks",
            [newest](TEditList &f) {
                f.settings.descstrmax = 0;
                newest(f).desc = u"\r\n一行目\r\n<br>二行目\r\n"_s;
            },
            {"      <description>一行目", "二行目</description>"});
        row("logo with the root as its link",
            [](TEditList &f) {
                f.settings.logosrc = u"http://example.jp/logo.png"_s;
                f.settings.logotitle = u"ロゴ"_s;
            },
            {"    <image>", "      <title>ロゴ</title>",
             "      <link>http://example.jp/site/</link>",
             "      <url>http://example.jp/logo.png</url>", "    </image>"});
        row("invalid item date gives no pubDate",
            [newest](TEditList &f) { newest(f).date = u"2005-02-30 00:00:00"_s; },
            {"      <link>http://example.jp/site/news.html#bk20050230000000</link>",
             "      <pubDate>Sun, 20 Nov 2005 09:00:00 +0900</pubDate>"},
            {"      <pubDate>Thu"});
        row("characters XML forbids are dropped",
            [newest](TEditList &f) {
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
        const auto [edit, styleArgument, present, absent] =
            Fetch<FeedEdit, QString, QStringList, QStringList>("edit", "styleArgument", "present",
                                                               "absent");
        TEditList feed = exampleFeed();
        edit(feed);

        const RssText rss = WriteRss2(feed, styleArgument, exampleClock());
        const QString problem = lineProblem(rss.text, present, absent);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const RssFileContent file =
            RssFileBytes(feed, u"/tmp/news.xml"_s, exampleClock(), styleArgument);
        QCOMPARE(file.bytes, rss.text.toUtf8());
        FEEDCHECK_ACCEPTS(file.bytes, feedcheck::Format::Rss2);
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

    void fileBytesFollowVer_data()
    {
        Columns<int, QByteArray>("ver", "root");
        QTest::newRow("0 is RSS 1.0") << 0 << QByteArray("<rdf:RDF\r\n");
        QTest::newRow("any other is RSS 2.0") << 7 << QByteArray("<rss version=\"2.0\"\r\n");
    }

    void fileBytesFollowVer()
    {
        const auto [ver, root] = Fetch<int, QByteArray>("ver", "root");
        TEditList feed = exampleFeed();
        feed.settings.ver = ver;
        const QByteArray bytes = RssFileBytes(feed, u"/srv/feeds/news.rdf"_s, exampleClock()).bytes;
        // UTF-8 without a byte order mark, the declaration first.
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n" + root));
        QVERIFY(bytes.contains("<title>\xE3\x82\xB5\xE3\x82\xA4\xE3\x83\x88")); // サイト
    }
};

QTEST_GUILESS_MAIN(TestRss2Writer)
#include "tst_rss2writer.moc"
