#include "core/import/feeddownload.h"
#include "datarows.h"
#include "feedhttpserver.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Fetching a feed from a web server on 127.0.0.1.
class TestFeedDownload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        testfiles::writeAll(m_dir.filePath(u"feed.xml"_s), m_feed);
        QVERIFY(m_server.start(m_dir.path()));
    }

    void fetches_data()
    {
        // path: on the server; error: empty when the bytes arrive
        Columns<QString, QString>("path", "error");
        QTest::newRow("a file") << u"feed.xml"_s << QString();
        QTest::newRow("a redirect") << u"moved/feed.xml"_s << QString();
        QTest::newRow("a redirect loop")
            << u"loop"_s << u"転送先への案内（リダイレクト）が多すぎます。"_s;
        QTest::newRow("a silent server") << u"silent"_s << u"サーバーから応答がありません。"_s;
        QTest::newRow("more than 20 MB")
            << u"huge"_s << u"フィードが大きすぎます（20 MB まで）。"_s;
        QTest::newRow("no such file")
            << u"none.xml"_s << u"サーバーがエラーを返しました（HTTP 404）。"_s;
    }
    void fetches()
    {
        const auto [path, error] = Fetch<QString, QString>("path", "error");
        const FeedDownload download = DownloadFeed(QUrl(m_server.address(path)),
                                                   {.idleMilliseconds = 1000, .maxRedirects = 5});
        QCOMPARE(download.error, error);
        QCOMPARE(download.bytes, error.isEmpty() ? m_feed : QByteArray());
    }

    void refusesOtherSchemes()
    {
        QCOMPARE(DownloadFeed(QUrl(u"ftp://127.0.0.1/feed.xml"_s)).error,
                 u"http または https のアドレスを指定してください。"_s);
    }

private:
    const QByteArray m_feed = "<rss version=\"2.0\"><channel><title>t</title></channel></rss>\n";
    QTemporaryDir m_dir;
    FeedHttpServer m_server;
};

QTEST_GUILESS_MAIN(TestFeedDownload)
#include "tst_feeddownload.moc"
