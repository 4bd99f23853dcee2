#include "project/inifile.h"
#include "project/project.h"
#include "project/projectcommands.h"
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

QTEST_GUILESS_MAIN(TestProjectCommands)
#include "tst_projectcommands.moc"
