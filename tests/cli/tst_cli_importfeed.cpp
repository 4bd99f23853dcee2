#include "core/project/findfeed.h"
#include "core/project/projectreader.h"
#include "core/project/projectwriter.h"
#include "datarows.h"
#include "feedhttpserver.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A folder "お知らせ" with the feed "新着".
QByteArray startingProject()
{
    ProjectNode root(u"root"_s, ProjectNode::RootKind);
    auto folder = std::make_unique<ProjectNode>(u"お知らせ"_s, ProjectNode::FolderKind);
    auto data = std::make_unique<FeedData>();
    folder->appendChild(
        std::make_unique<ProjectNode>(u"新着"_s, ProjectNode::FeedKind, std::move(data)));
    root.appendChild(std::move(folder));
    return WriteProjectFile(ProjectDefaults(), root);
}

} // namespace

// brisklet-cli import-feed, from files and from a web server on 127.0.0.1.
class TestCliImportFeed : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_project = m_dir.filePath(u"site.dta"_s);
        QFile::copy(testfiles::dataPath(u"feedimport/rss10.rdf"_s), m_dir.filePath(u"index.rdf"_s));
        testfiles::writeAll(m_dir.filePath(u"page.html"_s), "<html><body></body></html>\n");
        QVERIFY(m_server.start(m_dir.path()));
    }
    void init() { testfiles::writeAll(m_project, startingProject()); }

    void addsTheFeedAndSaves_data()
    {
        // source: a file in the folder or an address on the server
        Columns<QString, QStringList, QString, QString>("source", "options", "parent", "src");
        QTest::newRow("a file below the root")
            << m_dir.filePath(u"index.rdf"_s) << QStringList{} << QString() << QString();
        QTest::newRow("a file beside a feed")
            << m_dir.filePath(u"index.rdf"_s) << QStringList{u"--under"_s, u"お知らせ/新着"_s}
            << u"お知らせ"_s << QString();
        QTest::newRow("an address") << m_server.address(u"moved/index.rdf"_s) << QStringList{}
                                    << QString() << m_server.address(u"moved/index.rdf"_s);
    }
    void addsTheFeedAndSaves()
    {
        const auto [source, options, parent, src] =
            Fetch<QString, QStringList, QString, QString>("source", "options", "parent", "src");
        const auto result =
            testfiles::runCli(QStringList{u"import-feed"_s, m_project, source} + options);
        QCOMPARE(result.exitCode, 0);
        // RSS 1.0's rdf:li, items and image pointers are known; nothing is left out.
        QCOMPARE(result.err, QByteArray());

        const ProjectContent saved = ReadProjectFile(m_project);
        QVERIFY2(saved.isRead(), qPrintable(saved.error));
        const ProjectNode *receiver = FindNodeByPath(*saved.root, parent);
        const ProjectNode *feed = receiver->child(receiver->childCount() - 1);
        QCOMPARE(feed->text, u"RDFのフィード"_s);
        QCOMPARE(feed->data()->settings.filename, u"index"_s);
        QCOMPARE(feed->data()->settings.src, src);
        QCOMPARE(feed->data()->items.size(), 2);
        QCOMPARE(feed->data()->items.last().date, u"2005-01-02 03:04:05"_s);
    }

    // Every failure leaves the project file as it was.
    void failures_data()
    {
        Columns<QString, int, QString>("source", "exitCode", "message");
        QTest::newRow("not a feed")
            << m_dir.filePath(u"page.html"_s) << 2
            << u"フィードを読み込めません（1 行目）。\n"
               u"RSS または Atom のフィードではありません（文書要素 <html>）。"_s;
        QTest::newRow("no such file") << m_dir.filePath(u"none.xml"_s) << 2
                                      << u"フィードのファイルを読み込むことができません。"_s;
        QTest::newRow("a redirect loop")
            << m_server.address(u"loop"_s) << 2
            << u"フィードを取得できません。\n転送先への案内（リダイレクト）が多すぎます。"_s;
        QTest::newRow("no such address") << m_server.address(u"none.xml"_s) << 2
                                         << u"サーバーがエラーを返しました（HTTP 404）。"_s;
    }
    void failures()
    {
        const auto [source, message] = Fetch<QString, QString>("source", "message");
        const auto result = testfiles::runCli({u"import-feed"_s, m_project, source});
        QTEST(result.exitCode, "exitCode");
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
        QCOMPARE(testfiles::readAll(m_project), startingProject());
    }

private:
    QTemporaryDir m_dir;
    QString m_project;
    FeedHttpServer m_server;
};

QTEST_GUILESS_MAIN(TestCliImportFeed)
#include "tst_cli_importfeed.moc"
