#include "project/projectwriter.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<ProjectNode> feedNode(const QString &name, const QString &script, bool html)
{
    auto data = std::make_unique<TEditList>();
    data->settings.filename = u"news"_s;
    data->settings.root = u"http://example.jp/"_s;
    data->settings.title = u"日本の話"_s;
    data->settings.html = html;
    data->settings.htmlscript = script;
    FeedItem older;
    older.title = u"一"_s;
    older.date = u"2005-01-02 09:05:00"_s;
    FeedItem newer;
    newer.title = u"二"_s;
    newer.date = u"2005-02-03 10:00:00"_s;
    data->items = {older, newer};
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

class TestCliHtml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageBytes_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("html");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("utf-8") << u"<meta charset=\"UTF-8\">"_s + loopTemplate << true
                               << QByteArray("<meta charset=\"UTF-8\"><p>\xe4\xba\x8c</p>"
                                             "<p>\xe4\xb8\x80</p>");
        QTest::newRow("shift_jis by default")
            << loopTemplate << true << QByteArray("<p>\x93\xf1</p><p>\x88\xea</p>");
        QTest::newRow("euc-jp") << u"euc-jp "_s + loopTemplate << true
                                << QByteArray("euc-jp <p>\xc6\xf3</p><p>\xb0\xec</p>");
        QTest::newRow("page switched off")
            << u"{channel_title}"_s << false << QByteArray("\x93\xfa\x96\x7b\x82\xcc\x98\x62");
        QTest::newRow("no shift_jis form") << u"😀"_s << true << QByteArray("&#128512;");
        QTest::newRow("empty template") << QString() << true << QByteArray();
    }
    void pageBytes()
    {
        QFETCH(QString, script);
        QFETCH(bool, html);
        QFETCH(QByteArray, out);
        QTemporaryDir dir;
        const testfiles::CliResult result =
            testfiles::runCli({u"html"_s, writeProject(dir, script, html), u"Top"_s});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, out);
        QCOMPARE(result.err, QByteArray());
    }

    void feedInFolder()
    {
        QTemporaryDir dir;
        const testfiles::CliResult result =
            testfiles::runCli({u"html"_s, writeProject(dir, QString()), u"Folder/Inner"_s});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("inner \x93\xfa\x96\x7b\x82\xcc\x98\x62"));
    }

    void fixedTime()
    {
        QTemporaryDir dir;
        const testfiles::CliResult result = testfiles::runCli(
            {u"--now"_s, u"2026-12-06 09:05:07"_s, u"html"_s,
             writeProject(dir, u"{channel_date}|{channel_date format=\"yyyy/m/d\"}"_s), u"Top"_s});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("2026-12-06 09:05:07|2026/12/6"));
    }

    void templateErrorsGoToStderr()
    {
        QTemporaryDir dir;
        const testfiles::CliResult result = testfiles::runCli(
            {u"html"_s, writeProject(dir, u"<p>{item_loop_start}{item_title}"_s), u"Top"_s});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("<p>"));
        QVERIFY2(QString::fromUtf8(result.err).contains(u"{item_loop_end}変数が見つかりません。"_s),
                 result.err.constData());
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("unknown feed") << QStringList{u"Nothing"_s} << 3;
        QTest::newRow("folder is no feed") << QStringList{u"Folder"_s} << 3;
        QTest::newRow("feed path needs its folder") << QStringList{u"Inner"_s} << 3;
        QTest::newRow("missing argument") << QStringList() << 64;
        QTest::newRow("extra argument") << QStringList{u"Top"_s, u"x"_s} << 64;
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const testfiles::CliResult result =
            testfiles::runCli(QStringList{u"html"_s, writeProject(dir, u"x"_s)} + arguments);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, QByteArray());
        QVERIFY(!result.err.isEmpty());
    }

    void unreadableProject_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("not xml") << QByteArray("<project><node>") << true;
    }
    void unreadableProject()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"broken.dta"_s);
        if (exists)
            testfiles::writeAll(path, content);
        const testfiles::CliResult result = testfiles::runCli({u"html"_s, path, u"Top"_s});
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.out, QByteArray());
        QVERIFY(!result.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliHtml)
#include "tst_cli_html.moc"
