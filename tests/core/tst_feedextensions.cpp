#include "core/feed/itemguid.h"
#include "core/feed/rsscommon.h"
#include "core/feed/rssfile.h"
#include "core/project/projectreader.h"
#include "core/project/projectwriter.h"
#include "datarows.h"
#include "examplefeed.h"
#include "feedcheck.h"
#include "testfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString OutputPath = u"/home/user/www/news.rdf"_s;

QByteArray rssBytes(const FeedData &feed)
{
    return RssFileBytes(feed, OutputPath, exampleClock()).bytes;
}

struct Run
{
    int exitCode = -1;
    QByteArray out;
};

Run runPython(const QStringList &arguments)
{
    QProcess process;
    process.start(u"/usr/bin/python3"_s, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), process.readAllStandardOutput() + process.readAllStandardError()};
}

// What feedparser reads of the extensions of an RSS 2.0 file.
const char *const ReadExtensions = R"(
import json, sys, feedparser
d = feedparser.parse(sys.argv[1])
f = d.feed
print(json.dumps({
  "image": f.get("image", {}).get("href", ""),
  "category": [t["term"] for t in f.get("tags", [])],
  "email": f.get("publisher_detail", {}).get("email", ""),
  "self": [l["href"] for l in f.get("links", []) if l.get("rel") == "self"],
  "items": [{"guid": e.get("id", ""),
             "enclosure": [(x["href"], x["length"], x["type"]) for x in e.get("enclosures", [])],
             "duration": e.get("itunes_duration", ""),
             "episode": e.get("itunes_episode", "")} for e in d.entries]}))
)";

QJsonObject feedparserRead(const QByteArray &bytes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"feed.xml"_s);
    testfiles::writeAll(path, bytes);
    const Run run = runPython({u"-c"_s, QString::fromLatin1(ReadExtensions), path});
    return QJsonDocument::fromJson(run.out).object();
}

// Compares with a file under tests/data; a differing text is left beside
// the temporary folder for a look.
void compareWithData(const QByteArray &bytes, const QString &dataName)
{
    const QByteArray expected = testfiles::readAll(testfiles::dataPath(dataName));
    if (bytes != expected)
        testfiles::writeAll(QDir::temp().filePath(QFileInfo(dataName).fileName()), bytes);
    QCOMPARE(bytes, expected);
}

QList<WrittenGuid> guidsOf(const FeedData &feed)
{
    return WrittenGuids(feed, ItemIndexesToWrite(feed), exampleClock());
}

} // namespace

// Media files, podcast tags, the self link and guids in the feeds and the
// project file.
class TestFeedExtensions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesThePodcastFeed_data()
    {
        // The validator does not know mod_enclosure, the one way RSS 1.0
        // names a media file: its namespace is the one finding allowed.
        Columns<int, QString, QString, QString>("ver", "dataName", "address", "allowed");
        QTest::newRow("RSS 1.0")
            << 0 << u"rss/podcast.rdf"_s << u"http://example.jp/site/news.rdf"_s
            << u"UnknownNamespace: line 2, column 0: Use of unknown namespace: "
               "http://purl.oclc.org/net/rss_2.0/enc#"_s;
        QTest::newRow("RSS 2.0") << 1 << u"rss/podcast.xml"_s
                                 << u"http://example.jp/site/news.xml"_s << QString();
    }
    void writesThePodcastFeed()
    {
        const auto [ver, dataName, address, allowed] =
            Fetch<int, QString, QString, QString>("ver", "dataName", "address", "allowed");
        FeedData feed = examplePodcastFeed();
        feed.settings.ver = RssVersion(ver);
        const QByteArray bytes = rssBytes(feed);
        compareWithData(bytes, dataName);
        FEEDCHECK_ACCEPTS(bytes, ver == 0 ? feedcheck::Format::Rss1 : feedcheck::Format::Rss2);
        QStringList findings =
            feedcheck::w3cFindings(bytes, address, QFileInfo(dataName).fileName());
        if (!allowed.isEmpty())
            findings.removeIf([&](const QString &line) { return line.endsWith(allowed); });
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join(u'\n')));
    }

    void feedparserReadsTheExtensions()
    {
        const QJsonObject read = feedparserRead(rssBytes(examplePodcastFeed()));
        QCOMPARE(read.value(u"image").toString(), u"http://example.jp/site/cover.jpg"_s);
        QCOMPARE(read.value(u"category").toArray().toVariantList(),
                 QVariantList({u"Arts"_s, u"Books"_s}));
        QCOMPARE(read.value(u"email").toString(), u"yamada@example.jp"_s);
        QCOMPARE(read.value(u"self").toArray().toVariantList(),
                 QVariantList({u"http://example.jp/site/news.xml"_s}));
        const QJsonArray items = read.value(u"items").toArray();
        QCOMPARE(items.size(), 3);
        const QJsonObject rerun = items.at(0).toObject();
        QCOMPARE(rerun.value(u"guid").toString(),
                 u"tag:example.jp,2005-12-02:/site/news.xml/20051202083000"_s);
        const QJsonObject newest = items.at(1).toObject();
        QCOMPARE(newest.value(u"guid").toString(),
                 u"http://example.jp/site/news.html#bk20051201100000"_s);
        QCOMPARE(newest.value(u"enclosure").toArray().at(0).toArray().toVariantList(),
                 QVariantList(
                     {u"http://example.jp/site/media/new.mp3"_s, u"2097152"_s, u"audio/mpeg"_s}));
        QCOMPARE(newest.value(u"duration").toString(), u"1:02:03"_s);
        QCOMPARE(newest.value(u"episode").toString(), u"2"_s);
    }

    // Everything off, whatever the extension fields hold: today's bytes.
    void switchedOffWritesTodaysFeed_data()
    {
        Columns<int, QString>("ver", "dataName");
        QTest::newRow("RSS 1.0") << 0 << u"rss/example.rdf"_s;
        QTest::newRow("RSS 2.0") << 1 << u"rss/example.xml"_s;
    }
    void switchedOffWritesTodaysFeed()
    {
        const auto [ver, dataName] = Fetch<int, QString>("ver", "dataName");
        FeedData feed = examplePodcastFeed();
        feed.settings.ver = RssVersion(ver);
        feed.settings.podcast = feed.settings.selflink = feed.settings.itemguid = false;
        feed.items.removeLast();
        for (FeedItem &item : feed.items)
            item.enclosure.clear();
        QCOMPARE(RssFileBytes(feed, u"/home/user/My RSS Data/out/news.rdf"_s, exampleClock()).bytes,
                 testfiles::readAll(testfiles::dataPath(dataName)));
    }

    void guids_data()
    {
        Columns<FeedEdit, QStringList, QList<bool>>("edit", "guids", "permaLinks");
        const FeedEdit none = [](FeedData &) {};
        QTest::newRow("shared link: tag from the item's date, newest first")
            << none
            << QStringList{u"tag:example.jp,2005-12-02:/site/news.xml/20051202083000"_s,
                           u"http://example.jp/site/news.html#bk20051201100000"_s,
                           u"tag:example.jp,2005-11-20:/site/news.xml/20051120090000"_s}
            << QList<bool>{false, true, false};
        QTest::newRow("a stored identifier wins over a made one")
            << FeedEdit([](FeedData &f) { f.items[2].guid = u"tag:kept,2001-01-01:/x"_s; })
            << QStringList{u"tag:kept,2001-01-01:/x"_s,
                           u"http://example.jp/site/news.html#bk20051201100000"_s,
                           u"tag:example.jp,2005-11-20:/site/news.xml/20051120090000"_s}
            << QList<bool>{false, true, false};
        QTest::newRow("same date twice gets a number; unreadable date the clock's time")
            << FeedEdit([](FeedData &f) {
                   f.items[2].date = f.items[0].date;
                   f.items[1].date = u"いつか"_s;
                   f.items[1].url = f.items[0].url;
                   f.settings.html = false;
               })
            << QStringList{u"tag:example.jp,2005-11-20:/site/news.xml/20051120090000-2"_s,
                           u"tag:example.jp,2026-12-06:/site/news.xml/20261206090507"_s,
                           u"tag:example.jp,2005-11-20:/site/news.xml/20051120090000"_s}
            << QList<bool>{false, false, false};
        QTest::newRow("a unique link is its own guid")
            << FeedEdit([](FeedData &f) { f.items[2].url = u"http://example.jp/site/again"_s; })
            << QStringList{u"http://example.jp/site/again"_s,
                           u"http://example.jp/site/news.html#bk20051201100000"_s,
                           u"http://example.jp/site/sale.html"_s}
            << QList<bool>{true, true, true};
    }
    void guids()
    {
        const auto [edit, expected, permaLinks] =
            Fetch<FeedEdit, QStringList, QList<bool>>("edit", "guids", "permaLinks");
        FeedData feed = examplePodcastFeed();
        edit(feed);
        QStringList values;
        QList<bool> perma;
        for (const WrittenGuid &guid : guidsOf(feed)) {
            values << guid.value;
            perma << guid.permaLink;
        }
        QCOMPARE(values, expected);
        QCOMPARE(perma, permaLinks);
    }

    void assignedGuidSurvivesEdits()
    {
        FeedData feed = examplePodcastFeed();
        QCOMPARE(AssignItemGuids(feed, exampleClock()), 3);
        const QString kept = feed.items[2].guid;
        feed.items[2].title = u"再放送 (改題)"_s;
        feed.items[2].date = u"2006-01-01 00:00:00"_s;
        QCOMPARE(AssignItemGuids(feed, exampleClock()), 0);
        QCOMPARE(guidsOf(feed).first().value, kept);
        feed.settings.itemguid = false;
        feed.items.append(feed.items.first());
        feed.items.last().guid.clear();
        QCOMPARE(AssignItemGuids(feed, exampleClock()), 0); // only feeds that write guids
    }

    void projectFileKeepsTheExtensions()
    {
        ProjectNode root(QString(), ProjectNode::RootKind);
        auto data = std::make_unique<FeedData>(examplePodcastFeed());
        AssignItemGuids(*data, exampleClock());
        const FeedData written = *data;
        root.appendChild(
            std::make_unique<ProjectNode>(u"番組"_s, ProjectNode::FeedKind, std::move(data)));
        ProjectDefaults defaults;
        defaults.selflink = defaults.itemguid = true;
        const QByteArray bytes = WriteProjectFile(defaults, root);
        compareWithData(bytes, u"podcast.dta"_s);

        const ProjectContent content = ReadProjectContent(bytes);
        QVERIFY2(content.isRead(), qPrintable(content.error));
        QVERIFY(content.defaults == defaults);
        const FeedData &read = *content.root->child(0)->data();
        QVERIFY(read.settings == written.settings);
        QVERIFY(read.items == written.items);
        QCOMPARE(WriteProjectFile(content.defaults, *content.root), bytes);
    }
};

QTEST_GUILESS_MAIN(TestFeedExtensions)
#include "tst_feedextensions.moc"
