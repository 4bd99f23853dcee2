#include "feedcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using testfiles::u8;

namespace {

const QString Now = QStringLiteral("2026-12-06 09:05:07");

} // namespace

class TestCliRss : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_project;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString local = m_dir.filePath(u8("www"));
        QVERIFY(QDir().mkpath(local));
        m_project = m_dir.filePath(u8("サイト.dta"));
        // An RSS 2.0 feed at the top, an RSS 1.0 feed with two items at the
        // same address inside a folder, a feed without a file name and one
        // whose file name would leave its folder; LOCAL is the local folder.
        testfiles::writeAll(m_project,
                            testfiles::readAll(testfiles::dataPath(u8("cli/rss-project.dta")))
                                .replace("LOCAL", local.toUtf8()));
    }

    void printsTheRss2File()
    {
        const auto result =
            testfiles::runCli({u8("--now"), Now, u8("rss"), m_project, u8("お知らせ")});
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.err.isEmpty(), result.err.constData());
        const QByteArray expected =
            testfiles::readAll(testfiles::dataPath(u8("cli/news-rss2.xml")));
        QCOMPARE(result.out, expected);
        FEEDCHECK_ACCEPTS(result.out, feedcheck::Format::Rss2);
    }

    void printsTheRss1FileAndReportsTwins()
    {
        const auto result =
            testfiles::runCli({u8("--now"), Now, u8("rss"), m_project, u8("ブログ/日記")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(QString::fromUtf8(result.err).trimmed(),
                 u8("[日記] 同じ日付のアドレスが重複する項目がありました."));
        const QString text = QString::fromUtf8(result.out);
        // The feed names itself by its lower-cased file name.
        QVERIFY(text.contains(
            u8("\r\n  <channel rdf:about=\"http://example.jp/blog/diary.rdf\">\r\n")));
        QVERIFY(text.contains(u8("\r\n    <dc:date>2026-12-06T09:05:07+09:00</dc:date>\r\n")));
        QCOMPARE(text.count(u8("<rdf:li ")), 2);
        QVERIFY(text.endsWith(u8("</rdf:RDF>\r\n")));
        FEEDCHECK_ACCEPTS(result.out, feedcheck::Format::Rss1);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments"); // PROJECT stands for the project file
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");

        QTest::newRow("missing project")
            << QStringList{u8("rss"), u8("PROJECT.none"), u8("お知らせ")} << 2
            << u8("プロジェクトを読み込むことができません。");
        QTest::newRow("no such feed") << QStringList{u8("rss"), u8("PROJECT"), u8("ない")} << 3
                                      << u8("ない: フィードが見つかりません。");
        QTest::newRow("a folder is no feed") << QStringList{u8("rss"), u8("PROJECT"), u8("ブログ")}
                                             << 3 << u8("フィードが見つかりません。");
        QTest::newRow("feed path needs its folder")
            << QStringList{u8("rss"), u8("PROJECT"), u8("日記")} << 3
            << u8("フィードが見つかりません。");
        QTest::newRow("feed without file name")
            << QStringList{u8("rss"), u8("PROJECT"), u8("空")} << 1
            << u8("空: ファイル名とローカルフォルダが設定されていません。");
        QTest::newRow("file name leaving its folder")
            << QStringList{u8("rss"), u8("PROJECT"), u8("外へ")} << 1
            << u8("外へ: RSSファイルが作成できません.");
        QTest::newRow("too few arguments") << QStringList{u8("rss"), u8("PROJECT")} << 64
                                           << u8("usage: brisklet-cli rss PROJECT.dta FEEDPATH");
    }

    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        for (QString &argument : arguments)
            argument.replace(u8("PROJECT"), m_project);

        const auto result = testfiles::runCli(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(result.out.isEmpty());
        QVERIFY(!result.err.isEmpty());
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    }

    void projectWithAParseError()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u8("broken.dta"));
        testfiles::writeAll(path, "<brisklet>\n<project>\n<node flag=\"2\">\n</brisklet>\n");
        const auto result = testfiles::runCli({u8("rss"), path, u8("x")});
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.contains(path.toUtf8()), result.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCliRss)
#include "tst_cli_rss.moc"
