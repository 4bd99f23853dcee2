#include "datarows.h"
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

class TestCliHtml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
    void failures_data()
    {
        // arguments: PROJECT stands for the project file
        Columns<QStringList, int>("arguments", "exitCode");
        QTest::newRow("unknown feed") << QStringList{u"PROJECT"_s, u"Nothing"_s} << 3;
        QTest::newRow("missing project") << QStringList{u"PROJECT.none"_s, u"Top"_s} << 2;
        QTest::newRow("missing argument") << QStringList{u"PROJECT"_s} << 64;
        QTest::newRow("extra argument") << QStringList{u"PROJECT"_s, u"Top"_s, u"x"_s} << 64;
    }
    void failures()
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

QTEST_GUILESS_MAIN(TestCliHtml)
#include "tst_cli_html.moc"
