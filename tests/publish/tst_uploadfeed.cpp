#include "core/project/project.h"
#include "core/project/standardoutputwriters.h"
#include "core/project/uploadfeed.h"
#include "core/project/workspace.h"
#include "core/publish/ftptemplate.h"
#include "datarows.h"
#include "examplefeed.h"
#include "pyftpdserver.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

using namespace Qt::StringLiterals;

using Answer = UserInterface::Answer;

namespace {

const QString Done = u"アップロードは完了しました。"_s;
const QString Failed = u"アップロードに失敗しました。"_s;
const QString NoSetting = u"アップロードの設定がありません。"_s;

QString question(const QString &target)
{
    return u"\""_s + target + u"\" に \"お知らせ\" のアップロードを実行しますか？"_s;
}

// The socket client sends text as text; the test server stores LF line ends.
QByteArray asServerText(QByteArray bytes, bool useCurlClient)
{
    return useCurlClient ? bytes : bytes.replace("\r\n", "\n");
}

// One upload of the example feed, the current node of its project, which
// goes with the template "curl" into "www/news" unless a test says otherwise.
struct Run
{
    Run(const QString &dataDir, const QString &workDir)
        : workspace(project, ui, Folders::at(dataDir, workDir + u"/conf"_s),
                    StandardOutputWriters(exampleClock()))
    {
        project.setFileName(workDir + u"/site.dta"_s);
        auto data = std::make_unique<FeedData>(exampleFeed());
        data->settings.localfolder = workDir;
        data->settings.ftptemplate = u"curl"_s;
        data->settings.ftpfolder = u"www/news"_s;
        feed = project.root().appendChild(
            std::make_unique<ProjectNode>(u"お知らせ"_s, ProjectNode::FeedKind, std::move(data)));
        project.setCurrentNode(feed);
        project.setChanged(*feed, true);
        ui.answers << Answer::Yes;
    }

    Project project;
    ScriptedUserInterface ui;
    Workspace workspace;
    ProjectNode *feed = nullptr;
    QStringList images; // the tree image changes, in order

    ChannelSettings &settings() { return feed->data()->settings; }
    UploadOutcome start()
    {
        return UploadFeed(workspace, [this](ProjectNode &node, bool uploading) {
            QVERIFY(&node == feed);
            images << (uploading ? u"on"_s : u"off"_s);
        });
    }
    // What the feed's files hold when generated now.
    QByteArray rss() const
    {
        const OutputWriters &writers = workspace.writers;
        const FeedData &data = *feed->data();
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

    QTemporaryDir m_root;    // the FTP server's root
    QTemporaryDir m_dataDir; // the data folder with the templates
    QTemporaryDir m_workDir; // project file and local folders
    PyFtpdServer m_server;

    QString remote(const QString &path) const { return m_root.filePath(path); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_root.path()).mkpath(u"www/news"_s));
        QVERIFY2(m_server.start(m_root.path(), u"brisk"_s, u"pass"_s),
                 qPrintable(m_server.failure()));
        const QString folder = Folders::at(m_dataDir.path(), {}).ftpTemplate;
        QVERIFY(QDir().mkpath(folder));
        for (const bool useCurlClient : {true, false}) {
            FtpTemplate t = m_server.ftpTemplate();
            t.name = useCurlClient ? u"curl"_s : u"socket"_s;
            t.useCurlClient = useCurlClient;
            QCOMPARE(SaveFtpTemplate(folder, t), FtpTemplateSaveResult::Saved);
        }
    }

    void init()
    {
        for (const QString &name : QDir(remote(u"www/news"_s)).entryList(QDir::Files))
            QFile::remove(remote(u"www/news/"_s + name));
    }

    void sendsPageThenFeed_data()
    {
        Columns<QString, bool>("ftpTemplate", "html");
        QTest::newRow("libcurl, with page") << u"curl"_s << true;
        QTest::newRow("libcurl, feed only") << u"curl"_s << false;
        QTest::newRow("socket, with page") << u"socket"_s << true;
        QTest::newRow("template name in other case") << u"CURL"_s << false;
    }
    void sendsPageThenFeed()
    {
        const auto [ftpTemplate, html] = Fetch<QString, bool>("ftpTemplate", "html");
        Run run(m_dataDir.path(), m_workDir.path());
        run.settings().ftptemplate = ftpTemplate;
        run.settings().html = html;
        QCOMPARE(run.start(), UploadOutcome::Uploaded);
        QCOMPARE(run.ui.questions,
                 QStringList{u"\""_s + ftpTemplate +
                             u"\" の設定で \"お知らせ\" のアップロードを実行しますか？"_s});
        QCOMPARE(run.ui.messages, QStringList{Done});
        QCOMPARE(run.images, (QStringList{u"on"_s, u"off"_s}));
        QVERIFY(!run.feed->data()->changed);
        QCOMPARE(run.ui.busyDepth, 0);
        QCOMPARE(run.ui.progress.last(), html ? u"アップロード中 2/2"_s : u"アップロード中 1/1"_s);

        const bool useCurlClient = ftpTemplate != u"socket"_s;
        QCOMPARE(testfiles::readAll(remote(u"www/news/news.xml"_s)),
                 asServerText(run.rss(), useCurlClient));
        QCOMPARE(QFile::exists(remote(u"www/news/news.html"_s)), html);
        if (html)
            QCOMPARE(testfiles::readAll(remote(u"www/news/news.html"_s)),
                     asServerText(run.page(), useCurlClient));
        // The local files of the last save stay as they were.
        QVERIFY(!QFile::exists(m_workDir.filePath(u"news.xml"_s)));
    }

    // Asked to, the run sends the items' local media files before the feed
    // that points to them, under the name their address ends with; one that
    // cannot be read stops the run before anything is sent.
    void sendsMediaBeforeTheFeed()
    {
        const QString media = m_workDir.filePath(u"録音.mp3"_s);
        testfiles::writeAll(media, QByteArray(100000, '\x7f'));
        Run run(m_dataDir.path(), m_workDir.path());
        run.settings().html = false;
        run.settings().uploadmedia = true;
        FeedItem &item = run.feed->data()->items.first();
        item.enclosure = u"http://example.jp/site/%E7%AC%AC1%E5%9B%9E.mp3"_s;
        item.enclosurefile = media;
        QCOMPARE(run.start(), UploadOutcome::Uploaded);
        QCOMPARE(run.ui.progress.last(), u"アップロード中 2/2"_s);
        QCOMPARE(testfiles::readAll(remote(u"www/news/第1回.mp3"_s)), QByteArray(100000, '\x7f'));
        QVERIFY(QFile::exists(remote(u"www/news/news.xml"_s)));

        init();
        Run missing(m_dataDir.path(), m_workDir.path());
        missing.settings().uploadmedia = true;
        missing.feed->data()->items.first().enclosure = item.enclosure;
        missing.feed->data()->items.first().enclosurefile = m_workDir.filePath(u"gone.mp3"_s);
        QCOMPARE(missing.start(), UploadOutcome::Failed);
        QVERIFY2(missing.ui.messages.value(0).startsWith(u"メディアファイルを読み込めません："_s +
                                                         m_workDir.filePath(u"gone.mp3"_s)),
                 qPrintable(missing.ui.messages.value(0)));
        QVERIFY(QDir(remote(u"www/news"_s)).isEmpty());
        QVERIFY(missing.feed->data()->changed);
    }

    void copiesIntoFolder()
    {
        QTemporaryDir target;
        Run run(m_dataDir.path(), m_workDir.path());
        run.settings().ftptemplate.clear();
        run.settings().ftpfolder = target.path();
        run.settings().ver = RssVersion::Rss1;
        run.settings().htmlext = PageExtension::Htm;
        run.project.setModified(true);
        QCOMPARE(run.start(), UploadOutcome::Uploaded);
        QCOMPARE(
            run.ui.questions,
            QStringList{u"プロジェクトが変更されました プロジェクトの保存をおこなった後に\r\n"_s +
                        question(target.path())});
        QCOMPARE(run.images, (QStringList{u"on"_s, u"off"_s}));
        QCOMPARE(run.ui.messages, QStringList{Done});
        // Saved first: the project file and the local files are written,
        // and the copies equal them.
        QVERIFY(!run.project.isModified());
        QVERIFY(QFile::exists(run.project.fileName()));
        for (const QString &folder : {target.path(), m_workDir.path()}) {
            QCOMPARE(testfiles::readAll(folder + u"/news.rdf"_s), run.rss());
            QCOMPARE(testfiles::readAll(folder + u"/news.htm"_s), run.page());
        }
    }

    // The feed check's errors come before the question, and the upload goes
    // on when the user says yes.
    void checkErrorsPrecedeTheQuestion()
    {
        QTemporaryDir work;
        QTemporaryDir target;
        Run run(m_dataDir.path(), work.path());
        run.settings().ftptemplate.clear();
        run.settings().ftpfolder = target.path();
        run.settings().html = false;
        run.settings().description.clear(); // required in RSS 2.0
        QCOMPARE(run.start(), UploadOutcome::Uploaded);
        QCOMPARE(run.ui.questions,
                 QStringList{u"出力ファイルの検査で誤りが 1 件見つかりました.\r\n"_s +
                             question(target.path())});
    }

    // Runs that send nothing leave the feed's mark and the server as they were.
    void endsWithMessage_data()
    {
        Columns<RunEdit, QStringList, bool>("edit", "messages", "asked");
        const auto row =
            [](const char *name, const QString &message, bool asked, const RunEdit &edit) {
                QTest::newRow(name)
                    << edit << (message.isEmpty() ? QStringList() : QStringList{message}) << asked;
            };
        row("no template, no folder", NoSetting, false, [](Run &run) {
            run.settings().ftptemplate.clear();
            run.settings().ftpfolder.clear();
        });
        row("template file missing", NoSetting, false,
            [](Run &run) { run.settings().ftptemplate = u"gone"_s; });
        // A failure says why on its second line: the server's reply or the system's text.
        const QString noFolder = u" No such file or directory."_s;
        row("remote folder missing",
            Failed + u"\r\nカレントディレクトリを設定できません（550"_s + noFolder + u'）', true,
            [](Run &run) { run.settings().ftpfolder = u"www/missing"_s; });
        row("socket: remote folder missing", Failed + u"\r\n550"_s + noFolder, true, [](Run &run) {
            run.settings().ftptemplate = u"socket"_s;
            run.settings().ftpfolder = u"www/missing"_s;
        });
        row("local folder missing",
            Failed + u"\r\n"_s + QString::fromLocal8Bit(std::strerror(ENOENT)), true, [](Run &run) {
                run.settings().ftptemplate.clear();
                run.settings().ftpfolder = u"/nonexistent/brisklet"_s;
            });
        row("no file name", u"ファイル名が指定されておりません."_s, true,
            [](Run &run) { run.settings().filename.clear(); });
        row("RSS 1.0 without a path", u"RSSを設置するアドレスの指定が不正です."_s, true,
            [](Run &run) {
                run.settings().ver = RssVersion::Rss1;
                run.settings().html = false;
                run.settings().localfolder.clear();
                run.project.setFileName(QString());
            });
        row("cancelled", {}, true, [](Run &run) {
            run.project.setModified(true);
            run.ui.answers.clear();
            run.ui.answers << Answer::Cancel;
        });
        row("no feed selected", u"項目が選択されておりません。"_s, false,
            [](Run &run) { run.project.setCurrentNode(&run.project.root()); });
    }
    void endsWithMessage()
    {
        const auto [edit, messages, asked] =
            Fetch<RunEdit, QStringList, bool>("edit", "messages", "asked");
        Run run(m_dataDir.path(), m_workDir.path());
        edit(run);
        QVERIFY(run.start() != UploadOutcome::Uploaded);
        QCOMPARE(run.ui.messages, messages);
        QCOMPARE(run.ui.questions.size(), asked ? 1 : 0);
        // The image shows the run only once it has begun.
        QCOMPARE(run.images.size(), asked && !messages.isEmpty() ? 2 : 0);
        QVERIFY(run.feed->data()->changed);
        QVERIFY(QDir(remote(u"www/news"_s)).isEmpty());
    }

    void duplicateAddressesAreReported()
    {
        Run run(m_dataDir.path(), m_workDir.path());
        run.settings().ver = RssVersion::Rss1;
        run.settings().html = false;
        run.feed->data()->addItem(run.feed->data()->items.first());
        QCOMPARE(run.start(), UploadOutcome::Uploaded);
        QCOMPARE(run.ui.messages,
                 QStringList{u"同じ日付のアドレスが重複する項目がありました.\r\n"_s + Done});
        QVERIFY(!run.feed->data()->changed);
    }
};

QTEST_GUILESS_MAIN(TestUploadFeed)
#include "tst_uploadfeed.moc"
