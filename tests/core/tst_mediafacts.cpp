#include "core/media/mediafacts.h"
#include "datarows.h"
#include "feedhttpserver.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// What the media panel fills in for a chosen file or a typed address.
class TestMediaFacts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        testfiles::writeAll(m_dir.filePath(u"talk.mp3"_s), QByteArray(1234, 'x'));
        QVERIFY(m_server.start(m_dir.path()));
    }

    void localFile_data()
    {
        // The address proposed lies beside the feed's RSS file.
        Columns<QString, QString, QString, QString>("name", "src", "type", "address");
        QTest::newRow("mp3") << u"第1回 あいさつ.mp3"_s << u"http://example.jp/cast/"_s
                             << u"audio/mpeg"_s
                             << u"http://example.jp/cast/%E7%AC%AC1%E5%9B%9E%20%E3%81%82%E3%81%84"
                                u"%E3%81%95%E3%81%A4.mp3"_s;
        QTest::newRow("m4a") << u"ep.m4a"_s << u"http://example.jp/cast"_s << u"audio/mp4"_s
                             << u"http://example.jp/cast/ep.m4a"_s;
        QTest::newRow("mp4") << u"ep.mp4"_s << u"http://example.jp/"_s << u"video/mp4"_s
                             << u"http://example.jp/ep.mp4"_s;
        QTest::newRow("no feed address")
            << u"ep.pdf"_s << QString() << u"application/pdf"_s << QString();
    }
    void localFile()
    {
        const auto [name, src, type, address] =
            Fetch<QString, QString, QString, QString>("name", "src", "type", "address");
        const QString path = m_dir.filePath(name);
        testfiles::writeAll(path, QByteArray(4321, 'y'));
        ChannelSettings settings;
        settings.filename = u"cast"_s;
        settings.ver = RssVersion::Rss2;
        settings.src = src;
        const MediaFacts facts = LocalMediaFacts(path, settings);
        QCOMPARE(facts.error, QString());
        QCOMPARE(facts.length, u"4321"_s);
        QCOMPARE(facts.type, type);
        QCOMPARE(facts.address, address);
    }

    void missingFile()
    {
        const QString path = m_dir.filePath(u"gone.mp3"_s);
        QCOMPARE(LocalMediaFacts(path, {}).error, u"ファイルが見つかりません：%1"_s.arg(path));
    }

    void askTheServer_data()
    {
        Columns<QString, QString, QString>("path", "length", "error");
        QTest::newRow("a file") << u"talk.mp3"_s << u"1234"_s << QString();
        QTest::newRow("a redirect") << u"moved/talk.mp3"_s << u"1234"_s << QString();
        QTest::newRow("a silent server")
            << u"silent"_s << QString() << u"サーバーから応答がありません。"_s;
        QTest::newRow("no such file")
            << u"none.mp3"_s << QString() << u"サーバーがエラーを返しました（HTTP 404）。"_s;
    }
    void askTheServer()
    {
        const auto [path, length, error] =
            Fetch<QString, QString, QString>("path", "length", "error");
        const MediaFacts facts =
            ProbeMediaAddress(QUrl(m_server.address(path)), {.idleMilliseconds = 1000});
        QCOMPARE(facts.error, error);
        QCOMPARE(facts.length, length);
        QCOMPARE(facts.type, error.isEmpty() ? u"audio/mpeg"_s : QString());
    }

private:
    QTemporaryDir m_dir;
    FeedHttpServer m_server;
};

QTEST_GUILESS_MAIN(TestMediaFacts)
#include "tst_mediafacts.moc"
