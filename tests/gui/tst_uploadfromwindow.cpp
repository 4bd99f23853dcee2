#include "app/common/commandset.h"
#include "app/mainwindow.h"
#include "app/project/projecttreeview.h"
#include "core/project/project.h"
#include "core/project/standardoutputwriters.h"
#include "core/project/workspace.h"
#include "core/settings/folders.h"
#include "examplefeed.h"
#include "pyftpdserver.h"
#include "testfiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// "アップロード" in the main window against a real FTP server: the window
// stores the pages, saves the edited project first, sends the feed's files
// and clears the feed's changed mark only when they arrived.
class TestUploadFromWindow : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_serverRoot;
    QTemporaryDir m_data; // the program's data folder with the FTP templates
    PyFtpdServer m_server;
    QTimer m_answerer;
    QStringList m_boxes; // the texts of the message boxes, in order
    const Project *m_project = nullptr;
    int m_paintsWhileUploading = 0;

    // The tree must show the upload image while the feed is sent.
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_project && m_project->isUploadActive())
            ++m_paintsWhileUploading;
        return false;
    }

    QString serverFile(const QString &name) const
    {
        return m_serverRoot.filePath(u"www/"_s + name);
    }

    void saveTemplate(const QString &name, const QString &password)
    {
        FtpTemplate t = m_server.ftpTemplate();
        t.name = name;
        t.password = password;
        QCOMPARE(SaveFtpTemplate(Folders::at(m_data.path(), {}).ftpTemplate, t),
                 FtpTemplateSaveResult::Saved);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDir(m_serverRoot.path()).mkpath(u"www"_s));
        QVERIFY2(m_server.start(m_serverRoot.path(), u"brisk"_s, u"pass"_s),
                 qPrintable(m_server.failure()));
        QVERIFY(QDir().mkpath(Folders::at(m_data.path(), {}).ftpTemplate));
        saveTemplate(u"site"_s, u"pass"_s);
        saveTemplate(u"refused"_s, u"wrong"_s);
        // Yes to the confirmation, OK to every message after it.
        connect(&m_answerer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            m_boxes << box->text();
            QAbstractButton *yes = box->button(QMessageBox::Yes);
            (yes ? yes : box->button(QMessageBox::Ok))->click();
        });
    }

    void init()
    {
        for (const QString &name : {u"news.html"_s, u"news.xml"_s})
            QFile::remove(serverFile(name));
        m_boxes.clear();
        m_paintsWhileUploading = 0;
        m_answerer.start(10);
    }
    void cleanup() { m_answerer.stop(); }

    void uploadsTheEditedFeed_data()
    {
        QTest::addColumn<QString>("ftpTemplate");
        QTest::addColumn<bool>("html");
        QTest::addColumn<bool>("uploaded");
        QTest::newRow("page and feed") << u"site"_s << true << true;
        QTest::newRow("feed only") << u"site"_s << false << true;
        QTest::newRow("login refused") << u"refused"_s << true << false;
    }
    void uploadsTheEditedFeed()
    {
        QFETCH(QString, ftpTemplate);
        QFETCH(bool, html);
        QFETCH(bool, uploaded);
        QTemporaryDir work; // project file, settings and the feed's local folder
        MainWindow window(Folders::at(m_data.path(), work.filePath(u"settings"_s)));
        window.workspace().writers = StandardOutputWriters(exampleClock());
        auto data = std::make_unique<FeedData>(exampleFeed());
        data->settings.html = html;
        data->settings.ftptemplate = ftpTemplate;
        data->settings.ftpfolder = u"www"_s;
        data->settings.localfolder = work.path();
        auto root =
            std::make_unique<ProjectNode>(Project::defaultRootName(), ProjectNode::RootKind);
        ProjectNode *feed = root->appendChild(
            std::make_unique<ProjectNode>(u"お知らせ"_s, ProjectNode::FeedKind, std::move(data)));
        Project &project = window.project();
        project.replaceTree(std::move(root));
        project.setFileName(work.filePath(u"site.dta"_s));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.selectNode(feed);
        m_project = &project;
        window.treeView()->viewport()->installEventFilter(this);

        // Typed, not yet stored: the window must store and save before it sends.
        QTest::keyClicks(window.findChild<QLineEdit *>(u"ED_Informer_Title_Sub"_s), u"!"_s);
        QVERIFY(project.isModified());
        QVERIFY(feed->data()->changed);
        QVERIFY(window.commands().trigger(u"file.upload"_s));

        const QString question =
            u"プロジェクトが変更されました プロジェクトの保存をおこなった後に\r\n\""_s +
            ftpTemplate + u"\" の設定で \"お知らせ\" のアップロードを実行しますか？"_s;
        const QString told =
            uploaded ? u"アップロードは完了しました。"_s
                     : u"アップロードに失敗しました。\r\n"
                       u"指定されたホストに接続できませんでした。（530 Authentication failed.）"_s;
        QCOMPARE(m_boxes, (QStringList{question, told}));
        QVERIFY(!project.isModified());
        QVERIFY(testfiles::readAll(project.fileName()).contains(u"サイトの更新情報!"_s.toUtf8()));
        QCOMPARE(feed->data()->changed, !uploaded);
        QVERIFY(m_paintsWhileUploading > 0);
        QVERIFY(!project.isUploadActive());
        QVERIFY(!QApplication::overrideCursor());
        // What arrived equals what the save wrote locally just before.
        for (const QString &name : {u"news.html"_s, u"news.xml"_s}) {
            const bool sent = uploaded && (html || name.endsWith(u".xml"_s));
            QCOMPARE(QFile::exists(serverFile(name)), sent);
            if (sent)
                QCOMPARE(testfiles::readAll(serverFile(name)),
                         testfiles::readAll(work.filePath(name)));
        }
    }
};

QTEST_MAIN(TestUploadFromWindow)
#include "tst_uploadfromwindow.moc"
