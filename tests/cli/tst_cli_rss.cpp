#include "datarows.h"
#include "feedcheck.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using testfiles::u8;

// The commands that read one feed of a project: rss prints the feed's
// file, check tells what is wrong with its files.
class TestCliRss : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    // An RSS 2.0 feed at the top, an RSS 1.0 feed with two items at the same
    // address inside a folder, a feed without a file name, one whose file
    // name would leave its folder, and the feeds 重複 and 不備 that check
    // finds fault with.
    QString m_project;

    testfiles::CliResult run(const QStringList &arguments)
    {
        return testfiles::runCli(QStringList{u8("--now"), u8("2026-12-06 09:05:07")} + arguments,
                                 {{u8("PROJECT"), m_project}});
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_project = testfiles::placeProject(m_dir.path(), u8("cli/project.dta"));
    }

    void printsTheRss2File()
    {
        const auto result = run({u8("rss"), m_project, u8("お知らせ")});
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.err.isEmpty(), result.err.constData());
        QCOMPARE(result.out, testfiles::readAll(testfiles::dataPath(u8("cli/news-rss2.xml"))));
        FEEDCHECK_ACCEPTS(result.out, feedcheck::Format::Rss2);
    }

    void printsTheRss1FileAndReportsTwins()
    {
        const auto result = run({u8("rss"), m_project, u8("ブログ/日記")});
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
        // arguments: PROJECT stands for the project file
        Columns<QStringList, int, QString>("arguments", "exitCode", "message");
        const auto row = [](const char *name, const char *feed, int exitCode, const char *message,
                            const char *project = "PROJECT") {
            QTest::newRow(name) << QStringList{u8("rss"), u8(project), u8(feed)} << exitCode
                                << u8(message);
        };
        row("missing project", "お知らせ", 2, "プロジェクトを読み込むことができません。",
            "PROJECT.none");
        row("no such feed", "ない", 3, "ない: フィードが見つかりません。");
        row("a folder is no feed", "ブログ", 3, "フィードが見つかりません。");
        row("feed path needs its folder", "日記", 3, "フィードが見つかりません。");
        row("feed without file name", "空", 1,
            "空: ファイル名とローカルフォルダが設定されていません。");
        row("file name leaving its folder", "外へ", 1, "外へ: RSSファイルが作成できません.");
        QTest::newRow("too few arguments") << QStringList{u8("rss"), u8("PROJECT")} << 64
                                           << u8("usage: brisklet-cli rss PROJECT.dta FEEDPATH");
    }
    void failures()
    {
        const auto [arguments, message] = Fetch<QStringList, QString>("arguments", "message");
        const auto result = run(arguments);
        QTEST(result.exitCode, "exitCode");
        QVERIFY(result.out.isEmpty());
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    }

    void projectWithAParseError()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u8("broken.dta"));
        testfiles::writeAll(path, "<brisklet>\n<project>\n<node flag=\"2\">\n</brisklet>\n");
        const auto result = run({u8("rss"), path, u8("x")});
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.contains(path.toUtf8()), result.err.constData());
    }

    void check_data()
    {
        Columns<QString, QString, int, QString>("project", "feed", "exitCode", "out");
        QTest::newRow("nothing found") << u8("PROJECT") << u8("お知らせ") << 0 << QString();
        QTest::newRow("warnings only")
            << u8("PROJECT") << u8("重複") << 1
            << u8("twins.xml 19行目: 警告: <item> の <link> が 14行目と重複しています: "
                  "http://example.jp/a.html\n");
        QTest::newRow("errors in the feed and its page")
            << u8("PROJECT") << u8("不備") << 2
            << u8("broken.xml 6行目: エラー: <channel> に必須の <description> がありません。\n"
                  "broken.html 1行目: エラー: ローカルのパスが含まれています: C:\\site\\a.html\n");
        QTest::newRow("no such feed") << u8("PROJECT") << u8("なし") << 3 << QString();
        QTest::newRow("unreadable project")
            << u8("/nonexistent/p.dta") << u8("お知らせ") << 2 << QString();
    }
    void check()
    {
        const auto [project, feed] = Fetch<QString, QString>("project", "feed");
        const auto result = run({u8("check"), project, feed});
        QTEST(result.exitCode, "exitCode");
        QTEST(QString::fromUtf8(result.out), "out");
    }
};

QTEST_GUILESS_MAIN(TestCliRss)
#include "tst_cli_rss.moc"
