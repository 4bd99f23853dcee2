#include "lockholder.h"
#include "project/inifile.h"
#include "project/project.h"
#include "project/projectcommands.h"
#include "project/projectwriter.h"
#include "project/workspace.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Answer = UserInterface::Answer;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    Project project;
    ScriptedUserInterface ui;
    Workspace ws{project, ui, Folders::at(dir.filePath(u"data"_s), dir.filePath(u"conf"_s)), {}};
    QString projectPath = dir.filePath(u"news.dta"_s);

    // A project opened from news.dta, with a feed, holding its lock.
    Fixture(bool modified)
    {
        ws.folders.create();
        project.setFileName(projectPath);
        project.root().appendChild(std::make_unique<ProjectNode>(u"feed"_s, ProjectNode::FeedKind,
                                                                 std::make_unique<TEditList>()));
        project.setModified(modified);
        ws.lock.take(projectPath, ui);
    }
    bool locked() const { return QFile::exists(ProjectLock::lockFilePath(projectPath)); }
};

// Writes a project file whose top level holds a folder with one feed.
QString writeProjectFile(const QString &path, const QString &folderName)
{
    ProjectNode root(u"root"_s, ProjectNode::RootKind);
    ProjectNode *folder =
        root.appendChild(std::make_unique<ProjectNode>(folderName, ProjectNode::FolderKind));
    folder->appendChild(std::make_unique<ProjectNode>(
        u"feed in "_s + folderName, ProjectNode::FeedKind, std::make_unique<TEditList>()));
    ProjectDefaults defaults;
    defaults.memo = u"メモ of "_s + folderName;
    testfiles::writeAll(path, WriteProjectFile(defaults, root));
    return path;
}

const QString unreadable = u"プロジェクトを読み込むことができません。"_s;

} // namespace

class TestProjectCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newProject_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("done");
        QTest::addColumn<int>("questions");
        QTest::newRow("unchanged: no question") << false << QList<Answer>{} << true << 0;
        QTest::newRow("changed, yes") << true << QList<Answer>{Answer::Yes} << true << 1;
        QTest::newRow("changed, no") << true << QList<Answer>{Answer::No} << false << 1;
    }
    void newProject()
    {
        QFETCH(bool, modified);
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, done);
        Fixture f(modified);
        f.ui.answers.append(answers);
        QCOMPARE(NewProject(f.ws), done);
        QTEST(int(f.ui.questions.size()), "questions");
        if (!f.ui.questions.isEmpty())
            QCOMPARE(f.ui.questions.first(),
                     u"内容が変更されていますが保存せずに新規作成しますか？"_s);
        QCOMPARE(f.locked(), !done);
        QCOMPARE(f.project.root().childCount(), done ? 0 : 1);
        QCOMPARE(f.project.fileName(), done ? QString() : f.projectPath);
        QCOMPARE(f.project.root().text, done ? u"プロジェクト"_s : f.project.root().text);
    }

    void openProject()
    {
        Fixture f(false);
        const QString other = writeProjectFile(f.dir.filePath(u"other.dta"_s), u"他"_s);
        f.ui.files.enqueue(other);
        QVERIFY(OpenProject(f.ws));
        const UserInterface::FileChoice &choice = f.ui.fileChoices.first();
        QCOMPARE(choice.title, u"プロジェクトを開く"_s);
        QCOMPARE(choice.filter, u"プロジェクトファイル(*.dta)|*.dta"_s);
        QCOMPARE(choice.defaultExtension, u"dta"_s);
        QCOMPARE(choice.startFolder, f.ws.folders.project);
        QCOMPARE(choice.proposedName, f.dir.filePath(u"news"_s));
        QCOMPARE(f.project.fileName(), other);
        QCOMPARE(f.project.root().text, u"other"_s);
        QCOMPARE(f.project.root().child(0)->text, u"他"_s);
        QCOMPARE(f.project.defaults.memo, u"メモ of 他"_s);
        QVERIFY(!f.project.isModified());
        QVERIFY(!f.locked());
        QCOMPARE(f.ws.lock.path(), ProjectLock::lockFilePath(other));
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(f.ui.busyDepth, 0);
    }

    void openAsksAboutChanges_data()
    {
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("opened");
        QTest::newRow("yes") << QList<Answer>{Answer::Yes} << true;
        QTest::newRow("no") << QList<Answer>{Answer::No} << false;
    }
    void openAsksAboutChanges()
    {
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, opened);
        Fixture f(true);
        f.ui.answers.append(answers);
        f.ui.files.enqueue(writeProjectFile(f.dir.filePath(u"other.dta"_s), u"他"_s));
        QCOMPARE(OpenProject(f.ws), opened);
        QCOMPARE(
            f.ui.questions,
            QStringList{u"内容が変更されていますが保存せずに他のプロジェクトを開きますか？"_s});
        QCOMPARE(f.ui.fileChoices.size(), opened ? 1 : 0);
        QCOMPARE(f.project.fileName(), opened ? f.dir.filePath(u"other.dta"_s) : f.projectPath);
    }

    // Whatever stops an open leaves the open project, and its lock, as they were.
    void failedOpenKeepsTheProject_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << u"missing"_s;
        QTest::newRow("not a project") << u"garbage"_s;
        QTest::newRow("open elsewhere") << u"locked"_s;
    }
    void failedOpenKeepsTheProject()
    {
        QFETCH(QString, problem);
        Fixture f(false);
        const QString other = f.dir.filePath(u"other.dta"_s);
        std::unique_ptr<LockHolder> holder;
        if (problem == u"garbage"_s)
            testfiles::writeAll(other, "<brisklet><project><node flag=\"2\">");
        if (problem == u"locked"_s) {
            writeProjectFile(other, u"他"_s);
            holder = std::make_unique<LockHolder>(other);
        }
        QVERIFY(!OpenProjectFile(f.ws, other));
        QCOMPARE(f.ui.messages.size(), 1);
        if (problem == u"missing"_s)
            QCOMPARE(f.ui.messages.first(), unreadable);
        if (problem == u"locked"_s)
            QCOMPARE(f.ui.messages.first(), u"このプロジェクト \"other\" はユーザー \""_s +
                                                ProjectLock::loginName() + u"\" が編集中です。"_s);
        QCOMPARE(f.project.fileName(), f.projectPath);
        QCOMPARE(f.project.root().childCount(), 1);
        QVERIFY(f.locked());
        QCOMPARE(f.ws.lock.path(), ProjectLock::lockFilePath(f.projectPath));
    }

    void insertProject_data()
    {
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<bool>("selectFeed");
        QTest::newRow("below the root, project with a file") << true << false;
        QTest::newRow("beside a selected feed, new project") << false << true;
    }
    void insertProject()
    {
        QFETCH(bool, hasFile);
        QFETCH(bool, selectFeed);
        Fixture f(true);
        if (!hasFile)
            f.project.setFileName(QString());
        const QString other = writeProjectFile(f.dir.filePath(u"sub/other.dta"_s), u"他"_s);
        f.ui.files.enqueue(other);
        ProjectNode *selected = selectFeed ? f.project.root().child(0) : &f.project.root();
        QCOMPARE(InsertProject(f.ws, selected), &f.project.root());
        const UserInterface::FileChoice &choice = f.ui.fileChoices.first();
        QCOMPARE(choice.title, u"プロジェクトを追加"_s);
        QCOMPARE(choice.proposedName, QString());
        QCOMPARE(choice.startFolder, hasFile ? f.dir.path() + u'/' : f.ws.folders.project);
        QVERIFY(f.ui.questions.isEmpty());
        QCOMPARE(f.project.root().childCount(), 2);
        QCOMPARE(f.project.root().child(1)->text, u"他"_s);
        QCOMPARE(f.project.defaults.memo, QString());
        QVERIFY(f.project.isModified());
        QVERIFY(!QFile::exists(ProjectLock::lockFilePath(other)));
    }

    void insertMissingFile()
    {
        Fixture f(false);
        f.ui.files.enqueue(f.dir.filePath(u"missing.dta"_s));
        QCOMPARE(InsertProject(f.ws, &f.project.root()), nullptr);
        QCOMPARE(f.ui.messages, QStringList{unreadable});
        QVERIFY(!f.project.isModified());
    }

    void closeProject_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("done");
        QTest::newRow("unchanged") << false << QList<Answer>{} << true;
        QTest::newRow("changed, yes") << true << QList<Answer>{Answer::Yes} << true;
        QTest::newRow("changed, no keeps everything") << true << QList<Answer>{Answer::No} << false;
    }
    void closeProject()
    {
        QFETCH(bool, modified);
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, done);
        Fixture f(modified);
        f.ui.answers.append(answers);
        f.ws.settings.treeIndex = 1;
        f.ws.settings.addresses = QStringList{u"http://例え.jp/"_s};
        QCOMPARE(CloseProject(f.ws), done);
        if (modified)
            QCOMPARE(f.ui.questions,
                     QStringList{u"内容が変更されていますが保存せずに終了しますか？"_s});
        QCOMPARE(f.locked(), !done);
        QCOMPARE(f.project.isModified(), modified);
        const QString settingsPath = SettingsFilePath(f.ws.folders);
        QCOMPARE(QFile::exists(settingsPath), done);
        if (done) {
            IniFile ini;
            QCOMPARE(ini.load(settingsPath), QString());
            QCOMPARE(ini.value(u"Environ"_s, u"DefFileName"_s), f.projectPath);
            QCOMPARE(ini.value(u"Environ"_s, u"TreeIndex"_s), u"1"_s);
            QCOMPARE(ini.value(u"Address"_s, u"Address1"_s), u"http://例え.jp/"_s);
        }
    }
};

LOCK_HOLDER_TEST_MAIN(TestProjectCommands)
#include "tst_projectcommands.moc"
