#include "core/project/projectwriter.h"
#include "datarows.h"
#include "feedcheck.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using testfiles::u8;

namespace {

std::unique_ptr<ProjectNode> feedNode(const QString &name, const QString &script, bool html)
{
    auto data = std::make_unique<FeedData>();
    data->settings.filename = u"news"_s;
    data->settings.root = u"http://example.jp/"_s;
    data->settings.title = u"日本の話"_s;
    data->settings.html = html;
    data->settings.htmlscript = script;
    data->items = {{.title = u"一"_s, .date = u"2005-01-02 09:05:00"_s},
                   {.title = u"二"_s, .date = u"2005-02-03 10:00:00"_s}};
    return std::make_unique<ProjectNode>(name, ProjectNode::FeedKind, std::move(data));
}

// A project with one feed at the top and one inside a folder.
QString writeProject(const QTemporaryDir &dir, const QString &script, bool html = true)
{
    ProjectNode root(u"プロジェクト"_s, ProjectNode::RootKind);
    root.appendChild(feedNode(u"Top"_s, script, html));
    ProjectNode *folder =
        root.appendChild(std::make_unique<ProjectNode>(u"Folder"_s, ProjectNode::FolderKind));
    folder->appendChild(feedNode(u"Inner"_s, u"inner {channel_title}"_s, html));
    const QString path = dir.filePath(u"site.dta"_s);
    testfiles::writeAll(path, WriteProjectFile(ProjectDefaults(), root));
    return path;
}

const QString loopTemplate = u"{item_loop_start}<p>{item_title}</p>{item_loop_end}"_s;

} // namespace

// The commands that read one feed of a project: rss prints the feed's
// file, html its page, check tells what is wrong with its files.
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
                  "http://example.jp/a.html\n"
                  "twins.xml 項目 1: 警告: 日付 \"2026/13/45\" を読み取れないため出力しません "
                  "(yyyy-mm-dd hh:nn:ss)。\n"
                  "twins.xml 項目 1: 警告: 本文に単独の \"&\" があります (\"&amp;\" "
                  "と書きます)。\n");
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

    void pageBytes_data()
    {
        // arguments: between "html" and the project file
        // err: a part of it; empty: nothing
        Columns<QString, bool, QStringList, QString, QByteArray, QString>(
            "script", "html", "arguments", "feed", "out", "err");
        const auto row = [](const char *name, const QString &script, const QByteArray &out,
                            bool html = true, const QString &feed = u"Top"_s,
                            const QStringList &arguments = {}, const QString &err = {}) {
            QTest::newRow(name) << script << html << arguments << feed << out << err;
        };
        row("utf-8", u"<meta charset=\"UTF-8\">"_s + loopTemplate,
            "<meta charset=\"UTF-8\"><p>\xe4\xba\x8c</p><p>\xe4\xb8\x80</p>");
        row("shift_jis by default", loopTemplate, "<p>\x93\xf1</p><p>\x88\xea</p>");
        row("euc-jp", u"euc-jp "_s + loopTemplate, "euc-jp <p>\xc6\xf3</p><p>\xb0\xec</p>");
        row("page switched off", u"{channel_title}"_s, "\x93\xfa\x96\x7b\x82\xcc\x98\x62", false);
        row("no shift_jis form", u"😀"_s, "&#128512;");
        row("empty template", QString(), "");
        row("feed in a folder", QString(), "inner \x93\xfa\x96\x7b\x82\xcc\x98\x62", true,
            u"Folder/Inner"_s);
        row("fixed time", u"{channel_date}|{channel_date format=\"yyyy/m/d\"}"_s,
            "2026-12-06 09:05:07|2026/12/6", true, u"Top"_s,
            {u"--now"_s, u"2026-12-06 09:05:07"_s});
        row("template errors go to stderr", u"<p>{item_loop_start}{item_title}"_s, "<p>", true,
            u"Top"_s, {}, u"{item_loop_end}変数が見つかりません。"_s);
    }
    void pageBytes()
    {
        const auto [script, html, arguments, feed, err] =
            Fetch<QString, bool, QStringList, QString, QString>("script", "html", "arguments",
                                                                "feed", "err");
        QTemporaryDir dir;
        const testfiles::CliResult result = testfiles::runCli(
            arguments + QStringList{u"html"_s, writeProject(dir, script, html), feed});
        QCOMPARE(result.exitCode, 0);
        QTEST(result.out, "out");
        if (err.isEmpty())
            QCOMPARE(result.err, QByteArray());
        QVERIFY2(QString::fromUtf8(result.err).contains(err), result.err.constData());
    }

    // The reading of the project and the feed path is shared with the rss
    // command, whose tests go through its cases.
    void pageFailures_data()
    {
        // arguments: PROJECT stands for the project file
        Columns<QStringList, int>("arguments", "exitCode");
        QTest::newRow("unknown feed") << QStringList{u"PROJECT"_s, u"Nothing"_s} << 3;
        QTest::newRow("missing project") << QStringList{u"PROJECT.none"_s, u"Top"_s} << 2;
        QTest::newRow("missing argument") << QStringList{u"PROJECT"_s} << 64;
        QTest::newRow("extra argument") << QStringList{u"PROJECT"_s, u"Top"_s, u"x"_s} << 64;
    }
    void pageFailures()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir dir;
        const testfiles::CliResult result = testfiles::runCli(
            QStringList{u"html"_s} + arguments, {{u"PROJECT"_s, writeProject(dir, u"x"_s)}});
        QTEST(result.exitCode, "exitCode");
        QCOMPARE(result.out, QByteArray());
        QVERIFY(!result.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliRss)
#include "tst_cli_rss.moc"
