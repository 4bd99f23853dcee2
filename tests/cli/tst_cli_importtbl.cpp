#include "core/project/findfeed.h"
#include "core/project/projectreader.h"
#include "core/project/projectwriter.h"
#include "core/text/charsets.h"
#include "datarows.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using testfiles::u8;

namespace {

const QString ImportedFeedName = u"Minnow版のフィード"_s;

std::unique_ptr<ProjectNode> makeFeed(const QString &text)
{
    auto data = std::make_unique<FeedData>();
    data->settings.filename = text;
    return std::make_unique<ProjectNode>(text, ProjectNode::FeedKind, std::move(data));
}

// A folder "お知らせ" with the feed "新着", and the top-level feed "日記".
QByteArray startingProject()
{
    ProjectNode root(u"root"_s, ProjectNode::RootKind);
    auto folder = std::make_unique<ProjectNode>(u"お知らせ"_s, ProjectNode::FolderKind);
    folder->appendChild(makeFeed(u"新着"_s));
    root.appendChild(std::move(folder));
    root.appendChild(makeFeed(u"日記"_s));
    return WriteProjectFile(ProjectDefaults(), root);
}

// 22 header lines with the title on line 2, then one item per title.
QByteArray table(int itemCount)
{
    QString text = u"Minnow\r\nCLIのフィード\r\nhttp://example.jp/\r\n"_s;
    for (int line = 4; line <= 22; ++line)
        text += u"\r\n"_s;
    for (int i = 1; i <= itemCount; ++i)
        text += u"記事%1\t2005/01/31\thttp://example.jp/%1\ta<b\r\n"_s.arg(i);
    return EncodeShiftJis(text);
}

// A folder holding the starting project "site.dta" and a table file.
struct Workspace
{
    Workspace(const QString &tableName, int itemCount)
        : project(dir.filePath(u"site.dta"_s)), table(dir.filePath(tableName))
    {
        testfiles::writeAll(project, startingProject());
        testfiles::writeAll(table, ::table(itemCount));
    }

    QTemporaryDir dir;
    QString project;
    QString table;
};

} // namespace

// The commands that write a project file: import-tbl and save.
class TestCliImportTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addsTheFeedAndSaves_data()
    {
        // options: after the two files
        // parent: path of the node that receives the feed
        // itemCount: in the table
        Columns<QStringList, QString, int, QString>("options", "parent", "itemCount", "message");
        QTest::newRow("no node named") << QStringList{} << QString() << 2 << QString();
        QTest::newRow("under the root")
            << QStringList{u"--under"_s, QString()} << QString() << 2 << QString();
        QTest::newRow("under a folder")
            << QStringList{u"--under"_s, u"お知らせ"_s} << u"お知らせ"_s << 2 << QString();
        QTest::newRow("under a feed in a folder")
            << QStringList{u"--under"_s, u"お知らせ/新着"_s} << u"お知らせ"_s << 2 << QString();
        QTest::newRow("too many items are told and left out")
            << QStringList{} << QString() << 130
            << u"フィードに登録できる項目は100件までです。\n"
               u"先頭の100件を読み込み、残りの30件は読み込みませんでした。"_s;
    }
    void addsTheFeedAndSaves()
    {
        const auto [options, parent, itemCount] =
            Fetch<QStringList, QString, int>("options", "parent", "itemCount");
        const Workspace files(u"news.tbl"_s, itemCount);
        const auto result =
            testfiles::runCli(QStringList{u"import-tbl"_s, files.project, files.table} + options);
        QCOMPARE(result.exitCode, 0);
        QTEST(QString::fromUtf8(result.err).trimmed(), "message");

        const ProjectContent saved = ReadProjectFile(files.project);
        QVERIFY2(saved.isRead(), qPrintable(saved.error));
        ProjectNode *receiver = FindNodeByPath(*saved.root, parent);
        QVERIFY(receiver);
        const ProjectNode *feed = receiver->child(receiver->childCount() - 1);
        QCOMPARE(feed->text, ImportedFeedName);
        QVERIFY(feed->isFeed());
        QCOMPARE(feed->data()->settings.filename, u"news"_s);
        QCOMPARE(feed->data()->settings.title, u"CLIのフィード"_s);
        const QList<FeedItem> &items = feed->data()->items;
        QCOMPARE(items.size(), qMin(itemCount, FeedData::MaxItems));
        QCOMPARE(items.last().title, u"記事%1"_s.arg(items.size()));
        QCOMPARE(items.at(1).date, u"2005/01/31 00:00:00"_s);
        QCOMPARE(items.at(1).desc, u"a&lt;b"_s);
        QVERIFY(FindNodeByPath(*saved.root, u"お知らせ/新着"_s));
        QVERIFY(FindNodeByPath(*saved.root, u"日記"_s));
        QCOMPARE(testfiles::readAll(files.table), table(itemCount));
    }

    // Every failure leaves the project file as it was.
    void failures_data()
    {
        // arguments: PROJECT and TABLE stand for the files
        Columns<QString, int, QString>("arguments", "exitCode", "message");
        const QString usage = u"usage: brisklet-cli import-tbl PROJECT.dta TABLE.tbl "
                              u"[--under NODEPATH]"_s;
        QTest::newRow("missing table")
            << u"PROJECT TABLE.missing"_s << 2 << u"テーブルファイルを読み込むことができません。"_s;
        QTest::newRow("missing project")
            << u"PROJECT.missing TABLE"_s << 2 << u"プロジェクトを読み込むことができません。"_s;
        QTest::newRow("unknown node")
            << u"PROJECT TABLE --under なし"_s << 3 << u"なし: 項目が見つかりません。"_s;
        QTest::newRow("option without value") << u"PROJECT TABLE --under"_s << 64 << usage;
        QTest::newRow("table missing from the command") << u"PROJECT"_s << 64 << usage;
        QTest::newRow("one file too many") << u"PROJECT TABLE TABLE"_s << 64 << usage;
    }
    void failures()
    {
        const auto [arguments, message] = Fetch<QString, QString>("arguments", "message");
        const Workspace files(u"news.tbl"_s, 1);
        const auto result =
            testfiles::runCli(QStringList{u"import-tbl"_s} + arguments.split(u' '),
                              {{u"PROJECT"_s, files.project}, {u"TABLE"_s, files.table}});
        QTEST(result.exitCode, "exitCode");
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
        QCOMPARE(testfiles::readAll(files.project), startingProject());
        QCOMPARE(QDir(files.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void writesTheSameBytes()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(u8("出力.dta"));
        const auto result =
            testfiles::runCli({u8("save"), testfiles::dataPath(u8("sample.dta")), out});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.err.isEmpty());
        // The sample's only reference comes back as its character, and the
        // feed without a language reads the default one.
        QByteArray expected = testfiles::readAll(testfiles::dataPath(u8("sample.dta")));
        expected.replace("&#9733;", "\xE2\x98\x85");
        expected.replace("      <rssline>0</rssline>\r\n",
                         "      <rssline>0</rssline>\r\n      <language>ja</language>\r\n");
        QCOMPARE(testfiles::readAll(out), expected);
    }

    void replacesAnExistingFile()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(u8("out.dta"));
        testfiles::writeAll(out, "old contents that are much longer than nothing");
        const QString in = dir.filePath(u8("in.dta"));
        testfiles::writeAll(in, "<brisklet><project><ver>0</ver></project></brisklet>");
        QCOMPARE(testfiles::runCli({u8("save"), in, out}).exitCode, 0);
        const QByteArray written = testfiles::readAll(out);
        QVERIFY(written.contains("    <ver>0</ver>\r\n") && !written.contains("old"));
    }

    // Failures of save leave the output alone: no file, or the old one
    // unchanged.
    void saveFailures_data()
    {
        // arguments: IN and OUT stand for files in a folder
        // input: empty: IN does not exist
        Columns<QStringList, QByteArray, int, QString>("arguments", "input", "exitCode", "message");
        const QString usage = u8("usage: brisklet-cli save PROJECT.dta OUT.dta");
        const QStringList inOut{u8("IN"), u8("OUT")};
        QTest::newRow("missing project")
            << inOut << QByteArray() << 2 << u8("プロジェクトを読み込むことができません。");
        QTest::newRow("parse error with line")
            << inOut << QByteArray("<brisklet>\n<project>\n<node flag=\"1\">\n</brisklet>\n") << 2
            << u8("プロジェクトファイルを読み込めません（4 行目）。\n"
                  "開始タグと終了タグが対応していません。");
        QTest::newRow("output folder missing") << QStringList{u8("IN"), u8("OUT/none/out.dta")}
                                               << QByteArray("<brisklet/>") << 1 << QString();
        QTest::newRow("too few arguments")
            << QStringList{u8("IN")} << QByteArray("<brisklet/>") << 64 << usage;
        QTest::newRow("too many arguments")
            << inOut + QStringList{u8("OUT")} << QByteArray("<brisklet/>") << 64 << usage;
    }
    void saveFailures()
    {
        const auto [arguments, input, message] =
            Fetch<QStringList, QByteArray, QString>("arguments", "input", "message");
        QTemporaryDir dir;
        const QString in = dir.filePath(u8("in.dta"));
        const QString out = dir.filePath(u8("out.dta"));
        if (!input.isEmpty())
            testfiles::writeAll(in, input);
        testfiles::writeAll(out, "kept");

        const auto result = testfiles::runCli(QStringList{u8("save")} + arguments,
                                              {{u8("IN"), in}, {u8("OUT"), out}});
        QTEST(result.exitCode, "exitCode");
        QVERIFY(result.out.isEmpty());
        QVERIFY(!result.err.isEmpty());
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
        QCOMPARE(testfiles::readAll(out), QByteArray("kept"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 input.isEmpty() ? 1 : 2);
    }
};

QTEST_GUILESS_MAIN(TestCliImportTable)
#include "tst_cli_importtbl.moc"
