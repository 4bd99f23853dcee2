#include "datarows.h"
#include "filechoice.h"
#include "lockholder.h"
#include "project/findfeed.h"
#include "project/inifile.h"
#include "project/project.h"
#include "project/projectcommands.h"
#include "project/projecttreemodel.h"
#include "project/projectwriter.h"
#include "project/workspace.h"
#include "scripteduserinterface.h"
#include "testfiles.h"
#include "treeoutline.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Answer = UserInterface::Answer;

namespace {

const QString openTree = u"d(x) y"_s;

struct Fixture
{
    QTemporaryDir dir;
    Project project;
    ScriptedUserInterface ui;
    Workspace ws{project, ui, Folders::at(dir.filePath(u"data"_s), dir.filePath(u"conf"_s)), {}};
    QString projectPath = dir.filePath(u"news.dta"_s);

    // A project opened from news.dta, holding openTree and its lock.
    Fixture(bool modified)
    {
        ws.folders.create();
        project.setFileName(projectPath);
        project.defaults.rssline = 50;
        treeoutline::build(project.root(), openTree);
        project.setModified(modified);
        ws.lock.take(projectPath, ui);
    }
    bool locked() const { return QFile::exists(ProjectLock::lockFilePath(projectPath)); }
    QString outline() const { return treeoutline::of(project.root()); }
};

// Writes a project file whose top level holds a folder with one feed.
QString writeProjectFile(const QString &path, const QString &folderName)
{
    ProjectNode root(u"root"_s, ProjectNode::RootKind);
    treeoutline::build(root, folderName + u"(feed)"_s);
    ProjectDefaults defaults;
    defaults.memo = u"メモ of "_s + folderName;
    testfiles::writeAll(path, WriteProjectFile(defaults, root));
    return path;
}

const QString unreadable = u"プロジェクトを読み込むことができません。"_s;

// A command that would lose changes asks first: an unchanged project, and a
// changed one with either answer.
void changeAnswerRows()
{
    Columns<bool, QList<Answer>, bool>("modified", "answers", "done");
    QTest::newRow("unchanged: no question") << false << QList<Answer>{} << true;
    QTest::newRow("changed, yes") << true << QList<Answer>{Answer::Yes} << true;
    QTest::newRow("changed, no keeps everything") << true << QList<Answer>{Answer::No} << false;
}

} // namespace

class TestProjectCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newProject_data() { changeAnswerRows(); }
    void newProject()
    {
        const auto [modified, answers, done] =
            Fetch<bool, QList<Answer>, bool>("modified", "answers", "done");
        Fixture f(modified);
        f.ui.answers.append(answers);
        QCOMPARE(NewProject(f.ws), done);
        QCOMPARE(f.ui.questions,
                 modified ? QStringList{u"内容が変更されていますが保存せずに新規作成しますか？"_s}
                          : QStringList());
        QCOMPARE(f.locked(), !done);
        QCOMPARE(f.outline(), done ? QString() : openTree);
        QCOMPARE(f.project.fileName(), done ? QString() : f.projectPath);
        QCOMPARE(f.project.root().text, done ? u"プロジェクト"_s : f.project.root().text);
    }

    // Opening replaces the whole project, its values and its lock, and the
    // views start afresh; a changed project is asked about first.
    void openProject_data() { changeAnswerRows(); }
    void openProject()
    {
        const auto [modified, answers, opened] =
            Fetch<bool, QList<Answer>, bool>("modified", "answers", "done");
        Fixture f(modified);
        ProjectTreeModel model(f.project);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        f.ui.answers.append(answers);
        const QString other = writeProjectFile(f.dir.filePath(u"other.dta"_s), u"他"_s);
        f.ui.files.enqueue(other);
        QCOMPARE(OpenProject(f.ws), opened);
        QCOMPARE(f.ui.questions,
                 modified ? QStringList{u"内容が変更されていますが保存せずに他のプロジェクトを開き"
                                        u"ますか？"_s}
                          : QStringList());
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(f.ui.busyDepth, 0);
        QCOMPARE(reset.count(), opened ? 1 : 0);
        QCOMPARE(f.locked(), !opened);
        if (!opened) {
            QCOMPARE(f.ui.fileChoices.size(), 0);
            QCOMPARE(f.outline(), openTree);
            return;
        }
        QCOMPARE(ChoiceLine(f.ui.fileChoices.first()),
                 u"プロジェクトを開く|プロジェクトファイル(*.dta)|*.dta|dta|"_s +
                     f.ws.folders.project + u'|' + f.dir.filePath(u"news"_s));
        QCOMPARE(f.project.fileName(), other);
        QCOMPARE(f.project.root().text, u"other"_s);
        QCOMPARE(f.project.caption(), u" [other] - Brisklet"_s);
        // The tree and the project values as the file holds them.
        QCOMPARE(WriteProjectFile(f.project.defaults, f.project.root()), testfiles::readAll(other));
        QVERIFY(!f.project.isModified());
        QCOMPARE(f.ws.lock.path(), ProjectLock::lockFilePath(other));
    }

    // Whatever stops an open leaves the open project, and its lock, as they were.
    void failedOpenKeepsTheProject_data()
    {
        Columns<QString, QString>("problem", "message");
        QTest::newRow("missing") << u"missing"_s << unreadable;
        QTest::newRow("not a project") << u"garbage"_s
                                       << u"プロジェクトファイルを読み込めません（1 行目）。\n"
                                          u"Premature end of document."_s;
        QTest::newRow("open elsewhere") << u"locked"_s
                                        << u"このプロジェクト \"other\" はユーザー \""_s +
                                               ProjectLock::loginName() + u"\" が編集中です。"_s;
    }
    void failedOpenKeepsTheProject()
    {
        QFETCH(QString, problem);
        Fixture f(true);
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
        QTEST(f.ui.messages.first(), "message");
        QCOMPARE(f.project.fileName(), f.projectPath);
        QCOMPARE(f.outline(), openTree);
        QCOMPARE(f.project.defaults.rssline, 50);
        QVERIFY(f.project.isModified());
        QVERIFY(f.locked());
        QCOMPARE(f.ws.lock.path(), ProjectLock::lockFilePath(f.projectPath));
    }

    // Where the file's top-level nodes go, by the selected node; the file's
    // project values and lock are left alone. The chooser starts in the
    // open project's folder.
    void insertProject_data()
    {
        // selected: path of the selected node, empty for none
        Columns<QString, QString, QString>("selected", "receiver", "outline");
        const QString inserted = u"A&B(ニュース \"速報\") 空"_s;
        QTest::newRow("feed selected: the feed's level")
            << u"d/x"_s << u"d"_s << u"d(x "_s + inserted + u") y"_s;
        QTest::newRow("folder selected: inside it")
            << u"d"_s << u"d"_s << u"d(x "_s + inserted + u") y"_s;
        QTest::newRow("top-level feed selected: the root")
            << u"y"_s << QString() << u"d(x) y "_s + inserted;
        QTest::newRow("nothing selected: the root")
            << QString() << QString() << u"d(x) y "_s + inserted;
    }
    void insertProject()
    {
        const auto [selected, outline] = Fetch<QString, QString>("selected", "outline");
        Fixture f(false);
        ProjectTreeModel model(f.project);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        const QString sample = testfiles::dataPath(u"sample.dta"_s);
        f.ui.files.enqueue(sample);

        ProjectNode *target = InsertProject(
            f.ws, selected.isEmpty() ? nullptr : FindNodeByPath(f.project.root(), selected));
        QVERIFY(target);
        QTEST(target->path(), "receiver");
        QCOMPARE(f.outline(), outline);
        QCOMPARE(ChoiceLine(f.ui.fileChoices.first()),
                 u"プロジェクトを追加|プロジェクトファイル(*.dta)|*.dta|dta|"_s + f.dir.path() +
                     u"/|"_s);
        QCOMPARE(target->child(target->childCount() - 2)->child(0)->data()->items.size(), 2);
        QVERIFY(f.ui.questions.isEmpty());
        QVERIFY(f.project.isModified());
        QCOMPARE(f.project.defaults.rssline, 50);
        QCOMPARE(f.project.defaults.memo, QString());
        QCOMPARE(f.project.fileName(), f.projectPath);
        QVERIFY(!QFile::exists(ProjectLock::lockFilePath(sample)));
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.node(inserted.at(0).at(0).value<QModelIndex>()), target);
        QCOMPARE(inserted.at(0).at(1).toInt(), target->childCount() - 2);
        QCOMPARE(inserted.at(0).at(2).toInt(), target->childCount() - 1);
    }

    // A new project looks in the project folder; a missing file is told.
    void insertMissingFile()
    {
        Fixture f(false);
        f.project.setFileName(QString());
        f.ui.files.enqueue(f.dir.filePath(u"missing.dta"_s));
        QCOMPARE(InsertProject(f.ws, &f.project.root()), nullptr);
        QCOMPARE(f.ui.fileChoices.first().startFolder, f.ws.folders.project);
        QCOMPARE(f.ui.messages, QStringList{unreadable});
        QVERIFY(!f.project.isModified());
    }

    void closeProject_data() { changeAnswerRows(); }
    void closeProject()
    {
        const auto [modified, answers, done] =
            Fetch<bool, QList<Answer>, bool>("modified", "answers", "done");
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
