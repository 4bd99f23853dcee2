#include "feedcheck.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using testfiles::u8;

namespace {

// A project with an RSS 2.0 feed at the top, an RSS 1.0 feed with two items
// at the same address inside a folder, a feed without a file name and one
// whose file name would leave its folder. LOCAL stands for the local folder.
const char Project[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<brisklet>
  <project>
    <node flag="2" disp="お知らせ">
      <filename>News</filename>
      <root>http://example.jp/</root>
      <title>お知らせ &amp; 更新</title>
      <description><![CDATA[サイトの更新情報]]></description>
      <ver>1</ver>
      <rssline>15</rssline>
      <language>ja</language>
      <descstrmax>10</descstrmax>
      <content>1</content>
      <localfolder>LOCAL</localfolder>
      <item>
        <title>記事 1</title>
        <date>2024-01-02 03:04:05</date>
        <url>http://example.jp/1.html</url>
        <desc><![CDATA[&lt;p&gt;本日は晴天なり、本日は晴天なり&lt;/p&gt;]]></desc>
      </item>
      <item>
        <title>記事 2</title>
        <date>2024-02-03</date>
        <url>http://example.jp/2.html</url>
      </item>
    </node>
    <node flag="1" disp="ブログ">
      <node flag="2" disp="日記">
        <filename>Diary</filename>
        <root>http://example.jp/blog/</root>
        <title>日記</title>
        <ver>0</ver>
        <localfolder>LOCAL</localfolder>
        <item>
          <title>一日目</title>
          <date>2024-03-04 05:06:07</date>
          <url>http://example.jp/blog/a.html</url>
        </item>
        <item>
          <title>二日目</title>
          <date>2024-03-04 05:06:07</date>
          <url>http://example.jp/blog/A.html</url>
        </item>
      </node>
    </node>
    <node flag="2" disp="空">
      <localfolder>LOCAL</localfolder>
    </node>
    <node flag="2" disp="外へ">
      <filename>../escape</filename>
      <localfolder>LOCAL</localfolder>
    </node>
  </project>
</brisklet>
)";

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
        testfiles::writeAll(m_project, QByteArray(Project).replace("LOCAL", local.toUtf8()));
    }

    void printsTheRss2File()
    {
        const auto result =
            testfiles::runCli({u8("--now"), Now, u8("rss"), m_project, u8("お知らせ")});
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.err.isEmpty(), result.err.constData());
        const QByteArray expected =
            u8("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
               "<rss version=\"2.0\"\r\n"
               "  xmlns:dc=\"http://purl.org/dc/elements/1.1/\"\r\n"
               "  xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"\r\n"
               "  xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"\r\n"
               "  xml:lang=\"ja\">\r\n"
               "  <channel>\r\n"
               "    <title>お知らせ &amp; 更新</title>\r\n"
               "    <link>http://example.jp/</link>\r\n"
               "    <language>ja</language>\r\n"
               "    <description>サイトの更新情報</description>\r\n"
               "    <lastBuildDate>Sun, 6 Dec 2026 09:05:07 +0900</lastBuildDate>\r\n"
               "    <item>\r\n"
               "      <title>記事 2</title>\r\n"
               "      <link>http://example.jp/2.html</link>\r\n"
               "      <pubDate>Sat, 3 Feb 2024 00:00:00 +0900</pubDate>\r\n"
               "    </item>\r\n"
               "    <item>\r\n"
               "      <title>記事 1</title>\r\n"
               "      <link>http://example.jp/1.html</link>\r\n"
               "      <description>本日は晴天なり、本日 ...</description>\r\n"
               "      <content:encoded><![CDATA[<p>本日は晴天なり、本日は晴天なり</p>]]>"
               "</content:encoded>\r\n"
               "      <pubDate>Tue, 2 Jan 2024 03:04:05 +0900</pubDate>\r\n"
               "    </item>\r\n"
               "  </channel>\r\n"
               "</rss>\r\n")
                .toUtf8();
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
