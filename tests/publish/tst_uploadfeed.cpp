#include "examplefeed.h"
#include "project/project.h"
#include "project/standardoutputwriters.h"
#include "project/uploadfeed.h"
#include "project/workspace.h"
#include "publish/ftptemplate.h"
#include "pyftpdserver.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using Answer = UserInterface::Answer;

namespace {

const QString User = QStringLiteral("brisk");
const QString Password = QStringLiteral("pass");
const QString Done = QStringLiteral("アップロードは完了しました。");
const QString Failed = QStringLiteral("アップロードに失敗しました。");
const QString NoSetting = QStringLiteral("アップロードの設定がありません。");

// The socket client sends text as text; the test server stores LF line ends.
QByteArray asServerText(QByteArray bytes, bool useWinInet)
{
    return useWinInet ? bytes : bytes.replace("\r\n", "\n");
}

struct Run
{
    explicit Run(const QString &dataDir, const QString &settingsDir)
        : workspace(project, ui, Folders::at(dataDir, settingsDir),
                    StandardOutputWriters(exampleClock()))
    {
    }

    Project project;
    ScriptedUserInterface ui;
    Workspace workspace;
    ProjectNode *feed = nullptr;
    QStringList images; // the tree image changes, in order
    UploadOutcome outcome = UploadOutcome::NotStarted;

    // What the feed's files hold when generated now.
    QByteArray rss() const
    {
        const OutputWriters &writers = workspace.writers;
        const TEditList &data = *feed->data();
        return writers.rss(data, *writers.rssPath(data.settings, project.fileName())).bytes;
    }
    QByteArray page() const { return workspace.writers.htmlPage(*feed->data(), workspace.ui); }
};

using RunEdit = std::function<void(Run &)>;

} // namespace

Q_DECLARE_METATYPE(RunEdit)

class TestUploadFeed : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;    // the FTP server's root
    QTemporaryDir m_dataDir; // the data folder with the templates
    QTemporaryDir m_workDir; // project file and local folders
    PyFtpdServer m_server;

    QString templateFolder() const { return Folders::at(m_dataDir.path(), {}).ftpTemplate; }
    QString remote(const QString &path) const { return m_root.filePath(path); }

    void saveTemplate(const QString &name, bool useWinInet)
    {
        FtpTemplate t = m_server.ftpTemplate();
        t.name = name;
        t.useWinInet = useWinInet;
        QCOMPARE(SaveFtpTemplate(templateFolder(), t), FtpTemplateSaveResult::Saved);
    }

    // A project with the example feed as its current node, published with
    // the template "curl" into "www/news" unless the edit says otherwise.
    void prepare(Run &run, const std::function<void(TEditList &)> &edit)
    {
        run.project.setFileName(m_workDir.filePath(QStringLiteral("site.dta")));
        auto data = std::make_unique<TEditList>(exampleFeed());
        data->settings.localfolder = m_workDir.path();
        data->settings.ftptemplate = QStringLiteral("curl");
        data->settings.ftpfolder = QStringLiteral("www/news");
        edit(*data);
        run.feed = run.project.root().appendChild(std::make_unique<ProjectNode>(
            QStringLiteral("お知らせ"), ProjectNode::FeedKind, std::move(data)));
        run.project.setCurrentNode(run.feed);
        run.project.setChanged(*run.feed, true);
    }

    void start(Run &run)
    {
        run.outcome = UploadFeed(run.workspace, [&run](ProjectNode &feed, bool uploading) {
            QVERIFY(&feed == run.feed);
            run.images << (uploading ? QStringLiteral("on") : QStringLiteral("off"));
        });
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("www/news")));
        QVERIFY2(m_server.start(m_root.path(), User, Password), qPrintable(m_server.failure()));
        QVERIFY(QDir().mkpath(templateFolder()));
        saveTemplate(QStringLiteral("curl"), true);
        saveTemplate(QStringLiteral("socket"), false);
    }

    void init()
    {
        for (const QString &name : QDir(remote(QStringLiteral("www/news"))).entryList(QDir::Files))
            QFile::remove(remote(QStringLiteral("www/news/") + name));
    }

    void sendsPageThenFeed_data()
    {
        QTest::addColumn<QString>("ftpTemplate");
        QTest::addColumn<bool>("html");
        QTest::newRow("libcurl, with page") << QStringLiteral("curl") << true;
        QTest::newRow("libcurl, feed only") << QStringLiteral("curl") << false;
        QTest::newRow("socket, with page") << QStringLiteral("socket") << true;
        QTest::newRow("template name in other case") << QStringLiteral("CURL") << false;
    }
    void sendsPageThenFeed()
    {
        QFETCH(QString, ftpTemplate);
        QFETCH(bool, html);
        Run run(m_dataDir.path(), m_workDir.filePath(QStringLiteral("conf")));
        prepare(run, [&](TEditList &feed) {
            feed.settings.ftptemplate = ftpTemplate;
            feed.settings.html = html;
        });
        run.ui.answers << Answer::Yes;
        start(run);

        QCOMPARE(run.outcome, UploadOutcome::Uploaded);
        QCOMPARE(
            run.ui.questions,
            QStringList{QStringLiteral("\"") + ftpTemplate +
                        QStringLiteral("\" の設定で \"お知らせ\" のアップロードを実行しますか？")});
        QCOMPARE(run.ui.messages, QStringList{Done});
        QCOMPARE(run.images, (QStringList{QStringLiteral("on"), QStringLiteral("off")}));
        QVERIFY(!run.feed->data()->changed);
        QCOMPARE(run.ui.busyDepth, 0);

        const bool useWinInet = ftpTemplate != QStringLiteral("socket");
        QCOMPARE(testfiles::readAll(remote(QStringLiteral("www/news/news.xml"))),
                 asServerText(run.rss(), useWinInet));
        QCOMPARE(QFile::exists(remote(QStringLiteral("www/news/news.html"))), html);
        if (html)
            QCOMPARE(testfiles::readAll(remote(QStringLiteral("www/news/news.html"))),
                     asServerText(run.page(), useWinInet));
        // The local files of the last save stay as they were.
        QVERIFY(!QFile::exists(m_workDir.filePath(QStringLiteral("news.xml"))));
    }

    void copiesIntoFolder()
    {
        QTemporaryDir target;
        Run run(m_dataDir.path(), m_workDir.filePath(QStringLiteral("conf")));
        prepare(run, [&](TEditList &feed) {
            feed.settings.ftptemplate.clear();
            feed.settings.ftpfolder = target.path();
            feed.settings.ver = 0;
            feed.settings.htmlext = 1;
        });
        run.project.setModified(true);
        run.ui.answers << Answer::Yes;
        start(run);

        QCOMPARE(run.outcome, UploadOutcome::Uploaded);
        QCOMPARE(run.ui.questions,
                 QStringList{QStringLiteral("プロジェクトが変更されました "
                                            "プロジェクトの保存をおこなった後に\r\n\"") +
                             target.path() +
                             QStringLiteral("\" に \"お知らせ\" のアップロードを実行しますか？")});
        QCOMPARE(run.images, (QStringList{QStringLiteral("on"), QStringLiteral("off")}));
        QCOMPARE(run.ui.messages, QStringList{Done});
        // Saved first: the project file and the local files are written,
        // and the copies equal them.
        QVERIFY(!run.project.isModified());
        QVERIFY(QFile::exists(run.project.fileName()));
        QCOMPARE(testfiles::readAll(target.filePath(QStringLiteral("news.rdf"))), run.rss());
        QCOMPARE(testfiles::readAll(target.filePath(QStringLiteral("news.htm"))), run.page());
        QCOMPARE(testfiles::readAll(m_workDir.filePath(QStringLiteral("news.rdf"))), run.rss());
        QCOMPARE(testfiles::readAll(m_workDir.filePath(QStringLiteral("news.htm"))), run.page());
    }

    // Runs that send nothing leave the feed's mark and the server as they were.
    void endsWithMessage_data()
    {
        QTest::addColumn<RunEdit>("edit");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("asked");
        const auto settings = [](Run &run) -> ChannelSettings & {
            return run.feed->data()->settings;
        };

        QTest::newRow("no template, no folder") << RunEdit([=](Run &run) {
            settings(run).ftptemplate.clear();
            settings(run).ftpfolder.clear();
        }) << QStringList{NoSetting} << false;
        QTest::newRow("template file missing")
            << RunEdit([=](Run &run) { settings(run).ftptemplate = QStringLiteral("gone"); })
            << QStringList{NoSetting} << false;
        QTest::newRow("remote folder missing")
            << RunEdit([=](Run &run) { settings(run).ftpfolder = QStringLiteral("www/missing"); })
            << QStringList{Failed} << true;
        QTest::newRow("socket: remote folder missing") << RunEdit([=](Run &run) {
            settings(run).ftptemplate = QStringLiteral("socket");
            settings(run).ftpfolder = QStringLiteral("www/missing");
        }) << QStringList{Failed} << true;
        QTest::newRow("local folder missing") << RunEdit([=](Run &run) {
            settings(run).ftptemplate.clear();
            settings(run).ftpfolder = QStringLiteral("/nonexistent/brisklet");
        }) << QStringList{Failed} << true;
        QTest::newRow("no file name")
            << RunEdit([=](Run &run) { settings(run).filename.clear(); })
            << QStringList{QStringLiteral("ファイル名が指定されておりません.")} << true;
        QTest::newRow("RSS 1.0 without a path") << RunEdit([=](Run &run) {
            settings(run).ver = 0;
            settings(run).html = false;
            settings(run).localfolder.clear();
            run.project.setFileName(QString());
        }) << QStringList{QStringLiteral("RSSを設置するアドレスの指定が不正です.")}
                                                << true;
        QTest::newRow("cancelled") << RunEdit([](Run &run) {
            run.project.setModified(true);
            run.ui.answers.clear();
            run.ui.answers << Answer::Cancel;
        }) << QStringList{} << true;
        QTest::newRow("no feed selected")
            << RunEdit([](Run &run) { run.project.setCurrentNode(&run.project.root()); })
            << QStringList{QStringLiteral("項目が選択されておりません。")} << false;
    }
    void endsWithMessage()
    {
        QFETCH(RunEdit, edit);
        QFETCH(QStringList, messages);
        QFETCH(bool, asked);
        Run run(m_dataDir.path(), m_workDir.filePath(QStringLiteral("conf")));
        prepare(run, [](TEditList &) {});
        run.ui.answers << Answer::Yes;
        edit(run);
        start(run);
        QVERIFY(run.outcome != UploadOutcome::Uploaded);
        QCOMPARE(run.ui.messages, messages);
        QCOMPARE(run.ui.questions.size(), asked ? 1 : 0);
        // The image shows the run only once it has begun.
        QCOMPARE(run.images.size(), asked && !messages.isEmpty() ? 2 : 0);
        QVERIFY(run.feed->data()->changed);
        QVERIFY(QDir(remote(QStringLiteral("www/news"))).isEmpty());
    }

    void duplicateAddressesAreReported()
    {
        Run run(m_dataDir.path(), m_workDir.filePath(QStringLiteral("conf")));
        prepare(run, [](TEditList &feed) {
            feed.settings.ver = 0;
            feed.settings.html = false;
            feed.addItem(feed.items.first());
        });
        run.ui.answers << Answer::Yes;
        start(run);
        QCOMPARE(run.outcome, UploadOutcome::Uploaded);
        QCOMPARE(run.ui.messages,
                 QStringList{QStringLiteral("同じ日付のアドレスが重複する項目がありました.\r\n") +
                             Done});
        QVERIFY(!run.feed->data()->changed);
    }
};

QTEST_GUILESS_MAIN(TestUploadFeed)
#include "tst_uploadfeed.moc"
