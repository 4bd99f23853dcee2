#include "datarows.h"
#include "examplefeed.h"
#include "feed/rss1writer.h"
#include "feed/rssfile.h"
#include "feedcheck.h"
#include "testfiles.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

const QString OutputPath = u"/home/user/My RSS Data/out/news.rdf"_s;

struct ItemFields
{
    QString url;
    QString date;
    QString title = u"記事"_s;
};

FeedEdit withItems(const QList<ItemFields> &rows)
{
    return [rows](TEditList &feed) {
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

} // namespace

class TestRss1Writer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesTheExampleFeed()
    {
        const RssText rss = WriteRss1(exampleFeed(), OutputPath, QString(), exampleClock());
        const QByteArray expected = testfiles::readAll(testfiles::dataPath(u"rss/example.rdf"_s));
        QCOMPARE(rss.text.toUtf8(), expected);
        QVERIFY(rss.noDuplicates);
        FEEDCHECK_ACCEPTS(rss.text.toUtf8(), feedcheck::Format::Rss1);
    }

    void lines_data()
    {
        // present: whole lines
        // absent: no line starts with these
        Columns<FeedEdit, QString, QStringList, QStringList>("edit", "outputPath", "present",
                                                             "absent");

        const auto row =
            [](const char *name, FeedEdit edit, std::initializer_list<const char *> present,
               std::initializer_list<const char *> absent = {}, const QString &path = OutputPath) {
                QTest::newRow(name) << edit << path << utf8List(present) << utf8List(absent);
            };
        const FeedEdit none = [](TEditList &) {};
        const auto newest = [](TEditList &feed) -> FeedItem & { return feed.items.last(); };

        // Without items, since their texts stand at the channel's indent.
        row("empty channel texts leave their elements out",
            [](TEditList &f) {
                f.items.clear();
                f.settings.title.clear();
                f.settings.description = u"\r\n"_s;
                f.settings.creator = u" \u3000 "_s;
            },
            {"    <link>http://example.jp/site/news.html</link>"},
            {"    <title>", "    <description>", "    <dc:creator>"});
        row("without src and root the channel has no address",
            [](TEditList &f) {
                f.settings.root = u" "_s;
                f.settings.html = false;
            },
            {"  <channel>"}, {"  <channel rdf:about"});
        row("unresolved file name in the preview", none,
            {"  <channel rdf:about=\"http://example.jp/site/[ファイル名未解決]\">"}, {},
            u"[ファイル名未解決]"_s);
        row("date that does not exist gives no dc:date",
            [newest](TEditList &f) { newest(f).date = u"2005-02-30 10:00:00"_s; },
            {"    <link>http://example.jp/site/news.html#bk20050230100000</link>"},
            {"    <dc:date>2005-02-30"});
        row("language en", [](TEditList &f) { f.settings.language = u"en"_s; },
            {"  xml:lang=\"en\">", "    <dc:language>en</dc:language>"});
        row("logo",
            [](TEditList &f) {
                f.settings.logosrc = u"http://example.jp/logo.png?a=1&b=2"_s;
                f.settings.logotitle = u"ロゴ"_s;
            },
            {"    <image rdf:resource=\"http://example.jp/logo.png?a=1&amp;b=2\"/>",
             "  <image rdf:about=\"http://example.jp/logo.png?a=1&amp;b=2\">",
             "    <title>ロゴ</title>", "    <link>http://example.jp/site/</link>",
             "    <url>http://example.jp/logo.png?a=1&amp;b=2</url>", "  </image>"});
        row("item elements in their order",
            [newest](TEditList &f) {
                f.settings.content = true;
                newest(f).subject = u"新製品"_s;
                newest(f).creator = u"鈴木"_s;
            },
            {"  xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"",
             "    <dc:subject>新製品</dc:subject>", "    <dc:creator>鈴木</dc:creator>",
             "    <content:encoded><![CDATA[新しい<b>商品</b>を追加しました]]></content:encoded>"});
        row("quote and markup in addresses stay inside the attribute",
            [newest](TEditList &f) { newest(f).url = u"http://example.jp/a?x=1&y=\"2\"<3>"_s; },
            {"        <rdf:li rdf:resource=\"http://example.jp/a?x=1&amp;y=&quot;2&quot;&lt;3&gt;"
             "#bk20051201100000\"/>",
             "  <item rdf:about=\"http://example.jp/a?x=1&amp;y=&quot;2&quot;&lt;3&gt;"
             "#bk20051201100000\">",
             "    <link>http://example.jp/a?x=1&amp;y=\"2\"&lt;3&gt;</link>"});
        row("src names the feed's folder, a quote in it stays inside the attribute",
            [](TEditList &f) { f.settings.src = u"http://example.jp/\"x\""_s; },
            {"  <channel rdf:about=\"http://example.jp/&quot;x&quot;/news.rdf\">"});
        row("characters XML forbids are dropped from addresses",
            [newest](TEditList &f) { newest(f).url = u"http://example.jp/\u0008a\uFFFF"_s; },
            {"  <item rdf:about=\"http://example.jp/a#bk20051201100000\">"});
    }

    void lines()
    {
        const auto [edit, outputPath, present, absent] =
            Fetch<FeedEdit, QString, QStringList, QStringList>("edit", "outputPath", "present",
                                                               "absent");
        TEditList feed = exampleFeed();
        feed.settings.ver = 0;
        edit(feed);

        const RssText rss = WriteRss1(feed, outputPath, QString(), exampleClock());
        const QString problem = lineProblem(rss.text, present, absent);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const auto [sequence, items] = sequenceAndItems(rss.text);
        QCOMPARE(sequence, items);

        const RssFileContent file = RssFileBytes(feed, outputPath, exampleClock());
        QCOMPARE(file.bytes, rss.text.toUtf8());
        FEEDCHECK_ACCEPTS(file.bytes, feedcheck::Format::Rss1);
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
        TEditList feed = exampleFeed();
        feed.settings.ver = 0;
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

QTEST_GUILESS_MAIN(TestRss1Writer)
#include "tst_rss1writer.moc"
