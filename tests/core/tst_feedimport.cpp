#include "core/feed/rssfile.h"
#include "core/import/feedinstant.h"
#include "core/import/feedreader.h"
#include "core/text/textops.h"
#include "datarows.h"
#include "feedparserfields.h"
#include "testfiles.h"

#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The moment an item date names on the feeds' clock (+09:00), in UTC
// seconds; nothing for an empty date.
QJsonValue instantOfItemDate(const QString &date)
{
    if (date.isEmpty())
        return QJsonValue::Null;
    QDateTime local = QDateTime::fromString(date, u"yyyy-MM-dd hh:mm:ss"_s);
    local.setOffsetFromUtc(9 * 3600);
    return double(local.toSecsSinceEpoch());
}

QString withoutCr(QString text)
{
    return text.remove(u'\r').trimmed();
}

// feedparser adds an Atom author's address behind the name.
bool samePerson(const QString &ours, const QString &reference)
{
    return ours == reference || (!ours.isEmpty() && reference.startsWith(ours + " ("_L1));
}

// The entries feedparser gives as the grid should hold them: the newest
// hundred (the document's order when some are undated), oldest first.
QList<QJsonObject> expectedItems(const QJsonArray &entries)
{
    QList<QJsonObject> items;
    for (const QJsonValue &entry : entries)
        items << entry.toObject();
    if (std::all_of(items.cbegin(), items.cend(),
                    [](const QJsonObject &e) { return !e["instant"_L1].isNull(); })) {
        std::stable_sort(items.begin(), items.end(),
                         [](const QJsonObject &a, const QJsonObject &b) {
                             return a["instant"_L1].toDouble() > b["instant"_L1].toDouble();
                         });
    }
    items = items.first(std::min<qsizetype>(items.size(), FeedData::MaxItems));
    std::reverse(items.begin(), items.end());
    return items;
}

QString expectedBody(const QJsonObject &entry)
{
    const QString body = entry["body"_L1].toString().trimmed();
    return entry["bodyType"_L1].toString() == "text/plain"_L1 ? EscapeMarkup(body) : body;
}

void compareWithFeedparser(const FeedData &feed, const QJsonObject &reference)
{
    const ChannelSettings &s = feed.settings;
    QCOMPARE(s.title, reference["title"_L1].toString());
    QCOMPARE(s.link, reference["link"_L1].toString());
    QCOMPARE(s.root, s.link);
    QCOMPARE(withoutCr(s.description), reference["description"_L1].toString());
    QVERIFY2(samePerson(s.creator, reference["creator"_L1].toString()), qPrintable(s.creator));
    // feedparser leaves RSS 1.0's image out.
    if (const QString logo = reference["logo"_L1].toString(); !logo.isEmpty())
        QCOMPARE(s.logosrc, logo);
    QCOMPARE(s.language,
             reference["language"_L1].toString().startsWith("en"_L1) ? u"en"_s : u"ja"_s);
    QCOMPARE(s.ver, reference["version"_L1].toString().startsWith("rss1"_L1) ? RssVersion::Rss1
                                                                             : RssVersion::Rss2);

    const QList<QJsonObject> expected = expectedItems(reference["entries"_L1].toArray());
    QCOMPARE(feed.items.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const FeedItem &item = feed.items.at(i);
        const QJsonObject &entry = expected.at(i);
        QCOMPARE(item.title, StripTags(entry["title"_L1].toString()));
        QCOMPARE(item.url, entry["link"_L1].toString());
        QCOMPARE(instantOfItemDate(item.date), entry["instant"_L1]);
        QCOMPARE(item.subject, entry["category"_L1].toString());
        QVERIFY2(samePerson(item.creator, entry["creator"_L1].toString()),
                 qPrintable(item.creator));
        QCOMPARE(withoutCr(item.desc), expectedBody(entry));
    }
}

// A feed of count items, the oldest first in the document, a day apart.
QByteArray manyItems(int count)
{
    QByteArray text = "<?xml version=\"1.0\"?>\n<rss version=\"2.0\"><channel><title>Many</title>"
                      "<link>http://example.com/</link><description>many</description>\n";
    const QDateTime first(QDate(2020, 1, 1), QTime(12, 0), Qt::UTC);
    for (int i = 1; i <= count; ++i) {
        text += u"<item><title>Item %1</title><link>http://example.com/%1</link>"
                u"<pubDate>%2</pubDate></item>\n"_s.arg(i)
                    .arg(QLocale::c().toString(first.addDays(i), u"ddd, dd MMM yyyy hh:mm:ss"_s) +
                         " GMT"_L1)
                    .toUtf8();
    }
    return text + "</channel></rss>\n";
}

QString dataFeed(const QString &name)
{
    return testfiles::dataPath(u"feedimport/"_s + name);
}

} // namespace

class TestFeedImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every field the feed keeps, as feedparser reads the same bytes.
    void readsAsFeedparserDoes_data()
    {
        Columns<QByteArray>("document");
        for (const char *name :
             {"rss20.xml", "rss091.xml", "rss092-latin1.xml", "rss10.rdf", "atom.xml",
              "missing.xml", "dates.xml", "shift_jis.xml", "euc-jp.xml", "iso-2022-jp.xml",
              "utf-16le-bom.xml", "utf-16be.xml", "utf-8-bom.xml"})
            QTest::newRow(name) << testfiles::readAll(dataFeed(QString::fromUtf8(name)));
        QTest::newRow("130 items, oldest first") << manyItems(130);
        QTest::newRow("100 items") << manyItems(100);
    }
    void readsAsFeedparserDoes()
    {
        const auto [document] = Fetch<QByteArray>("document");
        const QJsonObject reference = ReadBytesWithFeedparser(document);
        QVERIFY(!reference.isEmpty());
        QVERIFY(!reference["bozo"_L1].toBool());
        const ImportedFeed imported = ReadFeedDocument(document);
        QVERIFY2(imported.feed, qPrintable(imported.error));
        compareWithFeedparser(*imported.feed, reference);
    }

    // Forms that feedparser reads wrongly or not at all.
    void readsBrokenDates_data()
    {
        Columns<QString, QString>("text", "itemDate");
        QTest::newRow("Japanese zone name")
            << u"Sun, 02 Jan 2005 03:04:05 JST"_s << u"2005-01-02 03:04:05"_s;
        QTest::newRow("slashes") << u"2005/01/02 03:04:05"_s << u"2005-01-02 12:04:05"_s;
        QTest::newRow("rfc822 without zone")
            << u"Sun, 02 Jan 2005 03:04:05"_s << u"2005-01-02 12:04:05"_s;
        QTest::newRow("no space after comma")
            << u"Sun,02 Jan 2005 03:04:05 GMT"_s << u"2005-01-02 12:04:05"_s;
        QTest::newRow("full names")
            << u"Sunday, 02 January 2005 03:04:05 -0100"_s << u"2005-01-02 13:04:05"_s;
        QTest::newRow("blanks around")
            << u"  2005-01-02T03:04:05Z \n"_s << u"2005-01-02 12:04:05"_s;
        QTest::newRow("no 30 February") << u"2005-02-30T00:00:00Z"_s << QString();
        QTest::newRow("no 31 February") << u"Thu, 31 Feb 2005 03:04:05 GMT"_s << QString();
        QTest::newRow("hour 25") << u"2005-01-02T25:00:00Z"_s << QString();
        QTest::newRow("unknown month") << u"02 Foo 2005 03:04:05 GMT"_s << QString();
        QTest::newRow("words") << u"yesterday"_s << QString();
    }
    void readsBrokenDates()
    {
        const auto [text, itemDate] = Fetch<QString, QString>("text", "itemDate");
        const std::optional<QDateTime> instant = ReadFeedInstant(text);
        QCOMPARE(instant ? ItemDateOfInstant(*instant) : QString(), itemDate);
    }

    void reportsWhatWasLeftOut()
    {
        const ImportedFeed many = ReadFeedDocument(manyItems(130));
        QCOMPARE(many.report.omittedItems, 30);
        QCOMPARE(many.feed->items.first().title, u"Item 31"_s);
        QCOMPARE(many.feed->settings.rssline, 100);

        const ImportedFeed dates = ReadFeedDocument(testfiles::readAll(dataFeed(u"dates.xml"_s)));
        QCOMPARE(dates.report.unreadableDates, QStringList{u"yesterday"_s});
        QCOMPARE(dates.report.omittedItems, 0);

        // Only the generator: atom:link (self) and the guids are known.
        const ImportedFeed rss = ReadFeedDocument(testfiles::readAll(dataFeed(u"rss20.xml"_s)));
        QCOMPARE(rss.report.unknownElements, 1);
        QVERIFY(rss.feed->settings.content);
        QCOMPARE(rss.feed->settings.descstrmax, 0);
    }

    // The grid holds a title on one line.
    void keepsTitlesOnOneLine()
    {
        const ImportedFeed imported = ReadFeedDocument(
            "<rss version=\"2.0\"><channel><title>a\r\nb</title>"
            "<item><title>c\nd</title><description>e\nf</description></item></channel></rss>");
        QCOMPARE(imported.feed->settings.title, u"a b"_s);
        QCOMPARE(imported.feed->items.first().title, u"c d"_s);
        QCOMPARE(imported.feed->items.first().desc, u"e\r\nf"_s);
    }

    // Nothing is half taken: no feed, and one message naming the line.
    void refusesBadDocuments_data()
    {
        Columns<QByteArray, QString>("document", "message");
        const auto message = [](int line, const QString &reason) {
            return u"フィードを読み込めません（%1 行目）。\n"_s.arg(line) + reason;
        };
        QTest::newRow("not a feed")
            << QByteArray("<?xml version=\"1.0\"?>\n<html><body/></html>")
            << message(2, u"RSS または Atom のフィードではありません（文書要素 <html>）。"_s);
        QTest::newRow("not well-formed")
            << QByteArray(
                   "<rss "
                   "version=\"2.0\"><channel>\n<item>\n<title>a</titel>\n</item></channel></rss>")
            << message(3, u"開始タグと終了タグが対応していません。"_s);
        QTest::newRow("cut short") << QByteArray("<rss version=\"2.0\"><channel>\n<title>a")
                                   << message(2, u"ファイルが途中で終わっています。"_s);
        QTest::newRow("empty") << QByteArray() << message(1, u"ファイルが途中で終わっています。"_s);
        QTest::newRow("entity declared")
            << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE rss [\n<!ENTITY big \"x\">\n]>\n"
                          "<rss><channel><title>&big;</title></channel></rss>")
            << message(4, u"実体宣言（<!ENTITY>）を含むファイルは読み込めません。"_s);
        QTest::newRow("undeclared entity")
            << QByteArray("<rss version=\"2.0\"><channel>\n<title>a&nbsp;b</title></channel></rss>")
            << message(2, u"実体参照 &nbsp; は宣言されていません。"_s);
        QTest::newRow("nested too deep")
            << QByteArray("<rss><channel><item>\n") + QByteArray("<x>").repeated(1001) +
                   QByteArray("</x>").repeated(1001) + "</item></channel></rss>"
            << message(2, u"要素の入れ子が深すぎます（1000 段まで）。"_s);
        QTest::newRow("unknown character set")
            << QByteArray("<?xml version=\"1.0\" encoding=\"x-nothing\"?><rss/>")
            << message(1, u"文字コード「x-nothing」のフィードは読み込めません。"_s);
    }
    void refusesBadDocuments()
    {
        const auto [document, message] = Fetch<QByteArray, QString>("document", "message");
        const ImportedFeed imported = ReadFeedDocument(document);
        QVERIFY(!imported.feed);
        QCOMPARE(imported.error, message);
    }

    // Written again as the feed's RSS file, a reader finds the same titles,
    // links and moments as in the source.
    void roundTrip_data()
    {
        Columns<QString>("name");
        for (const char *name :
             {"rss20.xml", "rss10.rdf", "atom.xml", "dates.xml", "shift_jis.xml"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }
    void roundTrip()
    {
        const auto [name] = Fetch<QString>("name");
        const QString path = dataFeed(name);
        const ImportedFeed imported = ReadFeedDocument(testfiles::readAll(path));
        QVERIFY(imported.feed);
        const RssFileContent written =
            RssFileBytes(*imported.feed, u"/tmp/feed.xml"_s,
                         Clock::fixed(QDateTime(QDate(2026, 12, 8), QTime(9, 0))));
        const auto entries = [](const QJsonObject &feed) {
            QList<std::tuple<QString, QString, QJsonValue>> seen;
            for (const QJsonValue &entry : feed["entries"_L1].toArray()) {
                const QJsonObject e = entry.toObject();
                seen.append({StripTags(e["title"_L1].toString()), e["link"_L1].toString(),
                             e["instant"_L1]});
            }
            std::sort(seen.begin(), seen.end(), [](const auto &a, const auto &b) {
                return std::get<1>(a) + std::get<0>(a) < std::get<1>(b) + std::get<0>(b);
            });
            return seen;
        };
        const QJsonObject source = ReadWithFeedparser(path);
        const QJsonObject again = ReadBytesWithFeedparser(written.bytes);
        QCOMPARE(again["title"_L1], source["title"_L1]);
        QCOMPARE(entries(again), entries(source));

        QTemporaryDir dir;
        const QString writtenPath = dir.filePath(u"feed.xml"_s);
        testfiles::writeAll(writtenPath, written.bytes);
        QProcess validator;
        validator.start(u"/usr/bin/python3"_s,
                        {u"" BRISKLET_SOURCE_DIR "/tools/oracles/w3c_check.py"_s, writtenPath});
        QVERIFY(validator.waitForFinished(120000));
        // What the RSS 2.0 writer never writes is no fault of the import.
        const QStringList complaints =
            QString::fromUtf8(validator.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        for (const QString &line :
             complaints.first(std::max<qsizetype>(0, complaints.size() - 1))) {
            QVERIFY2(line.contains("MissingGuid"_L1) || line.contains("MissingAtomSelfLink"_L1),
                     qPrintable(line));
        }
    }
};

QTEST_GUILESS_MAIN(TestFeedImport)
#include "tst_feedimport.moc"
