#include "core/project/findfeed.h"
#include "core/project/project.h"
#include "core/project/projectcommands.h"
#include "core/project/projectlock.h"
#include "core/project/projecttreemodel.h"
#include "core/project/projectwriter.h"
#include "core/project/startcheck.h"
#include "core/project/workspace.h"
#include "core/settings/folders.h"
#include "core/settings/inifile.h"
#include "core/settings/settings.h"
#include "datarows.h"
#include "filechoice.h"
#include "lockholder.h"
#include "scripteduserinterface.h"
#include "testfiles.h"
#include "textrows.h"
#include "treeoutline.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QString busyMessage(const QString &name, const QString &owner)
{
    return u"このプロジェクト \""_s + name + u"\" はユーザー"_s + owner + u"が編集中です。"_s;
}

QString ownName()
{
    return u" \""_s + ProjectLock::loginName() + u"\" "_s;
}

// The settings an ini text holds.
Settings readSettings(const QByteArray &iniText)
{
    IniFile ini;
    ini.parse(QString::fromUtf8(iniText));
    Settings settings;
    ReadGridSettings(ini, settings);
    ReadEnvironSettings(ini, settings);
    return settings;
}

QString lines(const QStringList &list)
{
    return list.join(u'\n') + u'\n';
}

} // namespace

// The commands on the whole project, its lock, and the settings that
// remember it.
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
                                          u"ファイルが途中で終わっています。"_s;
        QTest::newRow("open elsewhere") << u"locked"_s << busyMessage(u"other"_s, ownName());
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

    void lockFilePath_data()
    {
        Columns<QString, QString>("project", "lock");
        QTest::newRow("extension replaced") << u"/d/news.dta"_s << u"/d/.news.brisklet_lock"_s;
        QTest::newRow("only the last extension") << u"/d/a.b.dta"_s << u"/d/.a.b.brisklet_lock"_s;
        QTest::newRow("no extension") << u"/d/news"_s << u"/d/.news.brisklet_lock"_s;
        QTest::newRow("already hidden") << u"/d/.news.dta"_s << u"/d/.news.brisklet_lock"_s;
        QTest::newRow("Japanese") << u"/共有/ニュース.dta"_s << u"/共有/.ニュース.brisklet_lock"_s;
    }
    void lockFilePath()
    {
        QFETCH(QString, project);
        QTEST(ProjectLock::lockFilePath(project), "lock");
    }

    void takenLockBlocksOthersUntilReleased()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(u"news.dta"_s);
        ScriptedUserInterface ui;
        ProjectLock first;
        QVERIFY(first.check(project, &ui));
        QVERIFY(first.take(project, ui));
        const QString lockPath = dir.filePath(u".news.brisklet_lock"_s);
        QCOMPARE(first.path(), lockPath);
        QCOMPARE(testfiles::readAll(lockPath), ProjectLock::loginName().toLatin1());
        QVERIFY(first.check(project, &ui)); // our own lock passes

        ProjectLock second;
        QVERIFY(!second.check(project, &ui));
        QCOMPARE(second.ownerName(), ownName());
        QCOMPARE(ui.messages, QStringList{busyMessage(u"news"_s, ownName())});
        QVERIFY(!second.take(project, ui));
        QCOMPARE(ui.messages.last(), u"プロジェクトのオープンに失敗しました。"_s);
        QVERIFY(second.path().isEmpty());

        first.release();
        QVERIFY(!QFile::exists(lockPath));
        QVERIFY(second.check(project, nullptr));
        QVERIFY(second.take(project, ui));
        // Taking another project gives up the first.
        QVERIFY(second.take(dir.filePath(u"b.dta"_s), ui));
        QVERIFY(!QFile::exists(lockPath));
        QVERIFY(QFile::exists(dir.filePath(u".b.brisklet_lock"_s)));
    }

    void heldEmptyLockNamesNobody()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(u"news.dta"_s);
        ScriptedUserInterface ui;
        ProjectLock first;
        QVERIFY(first.take(project, ui));
        QFile(first.path()).resize(0);
        ProjectLock second;
        QVERIFY(!second.check(project, &ui));
        QCOMPARE(second.ownerName(), QString());
        QCOMPARE(ui.messages, QStringList{u"このプロジェクト \"news\" はユーザーが編集中です。"_s});
    }

    // A lock held by another process blocks; once that process is killed,
    // the lock file it left behind counts as free.
    void lockOfAnotherProcess()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(u"ニュース.dta"_s);
        LockHolder holder(project);
        ScriptedUserInterface ui;
        ProjectLock lock;
        QVERIFY(!lock.check(project, &ui));
        QCOMPARE(ui.messages, QStringList{busyMessage(u"ニュース"_s, ownName())});
        QVERIFY(!lock.take(project, ui));

        holder.kill();
        QVERIFY(QFile::exists(ProjectLock::lockFilePath(project)));
        ui.messages.clear();
        QVERIFY(lock.check(project, &ui));
        QVERIFY(lock.take(project, ui));
        QVERIFY(ui.messages.isEmpty());
        QVERIFY(!ProjectLock().check(project, nullptr));
    }

    // A name planted as a link must neither show another file's contents in
    // the message nor have the login name written through it.
    void plantedLinkIsNeitherReadNorFollowed()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(u"news.dta"_s);
        const QString secret = dir.filePath(u"secret"_s);
        testfiles::writeAll(secret, "password=hunter2\n");
        QVERIFY(QFile::link(secret, ProjectLock::lockFilePath(project)));
        ScriptedUserInterface ui;
        ProjectLock lock;
        QVERIFY(lock.check(project, &ui));
        QVERIFY(lock.take(project, ui));
        QCOMPARE(testfiles::readAll(secret), QByteArray("password=hunter2\n"));
        QVERIFY(!QFileInfo(lock.path()).isSymLink());
        QVERIFY(ui.messages.isEmpty());
    }

    void foldersLieBelowDataAndSettingsFolders()
    {
        QTemporaryDir dir;
        const Folders folders = Folders::at(dir.filePath(u"data"_s), dir.filePath(u"conf"_s));
        QCOMPARE(folders.project, dir.filePath(u"data/Project/"_s));
        QCOMPARE(folders.backup, dir.filePath(u"data/Project/Backup/"_s));
        QCOMPARE(folders.ftpTemplate, dir.filePath(u"data/Template/Ftp/"_s));
        QCOMPARE(folders.htmlTemplate, dir.filePath(u"data/Template/Html/"_s));
        QCOMPARE(folders.styleSheet, dir.filePath(u"data/Template/StyleSheet/"_s));
        QCOMPARE(SettingsFilePath(folders), dir.filePath(u"conf/brisklet.ini"_s));

        QCOMPARE(folders.create(), QString());
        for (const QString &made :
             {folders.project, folders.ftpTemplate, folders.htmlTemplate, folders.styleSheet})
            QVERIFY2(QFileInfo(made).isDir(), qPrintable(made));
        QVERIFY(!QFileInfo::exists(folders.backup));
        QCOMPARE(QFileInfo(folders.settings).permissions(),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                     QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    }

    void locatedFoldersUseTheUsersFolders()
    {
        const Folders folders = Folders::locate();
        QVERIFY(folders.settings.endsWith(u"/Norvane/Brisklet/"_s));
        QVERIFY(folders.data.endsWith(u"/My RSS Data/"_s));
        const Folders moved = Folders::locate(u"/srv/rss"_s, u"/etc/b"_s);
        QCOMPARE(moved.data, u"/srv/rss/"_s);
        QCOMPARE(moved.settings, u"/etc/b/"_s);
    }

    // The values read, as "LastOpen|DefFileName|TreeIndex|Backup|SelectAll|addresses".
    void readValues_data()
    {
        Columns<QString, QString>("ini", "values");
        AddTextRows({
            {"no file: defaults", "", "1||0|1|0|0"},
            {"stored values",
             "[Environ]\nLastOpen=1\nDefFileName=/home/u/My RSS Data/ニュース.dta\nTreeIndex=7\n"
             "Backup=0\nSelectAll=1\n",
             "1|/home/u/My RSS Data/ニュース.dta|7|0|1|0"},
            {"any non-zero integer is on", "[Environ]\nBackup=-3\nSelectAll=2\n", "1||0|1|1|0"},
            {"unreadable numbers fall back",
             "[Environ]\nLastOpen=yes\nTreeIndex=3x\nBackup=\nSelectAll=on\n", "1||0|1|0|0"},
            {"last project forgotten when LastOpen is off",
             "[Environ]\nLastOpen=0\nDefFileName=/home/u/p.dta\nTreeIndex=4\n", "0||0|1|0|0"},
            {"section and key names ignore case", "[environ]\nSELECTALL=1\n", "1||0|1|1|0"},
            {"AddressMax above 20 reads 20", "[Address]\nAddressMax=35\nAddress1=http://a/\n",
             "1||0|1|0|20"},
            {"AddressMax below 0 reads none", "[Address]\nAddressMax=-2\nAddress1=http://a/\n",
             "1||0|1|0|0"},
            {"AddressMax unreadable reads none", "[Address]\nAddressMax=many\nAddress1=http://a/\n",
             "1||0|1|0|0"},
        });
    }
    void readValues()
    {
        QFETCH(QString, ini);
        const Settings s = readSettings(ini.toUtf8());
        QTEST(QStringList({QString::number(s.lastOpen), s.defFileName, QString::number(s.treeIndex),
                           QString::number(s.backup), QString::number(s.selectAll),
                           QString::number(s.addresses.size())})
                  .join(u'|'),
              "values");
    }

    // Column positions and widths as "positions|widths".
    void gridColumns_data()
    {
        Columns<QString, QString>("ini", "columns");
        AddTextRows({
            {"defaults", "", "0 1 2 3 4|400 150 400 120 120"},
            {"reordered: set-up widths follow the columns",
             "[Grid]\nCol_Title=4\nCol_Date=0\nCol_Url=1\nCol_Subject=2\nCol_Creator=3\n",
             "4 0 1 2 3|150 400 120 120 400"},
            {"stored widths", "[Grid]\nWid_0=50\nWid_4=77\nWid_2=wide\n",
             "0 1 2 3 4|50 150 400 120 77"},
            {"two columns at one place: standard order", "[Grid]\nCol_Title=1\n",
             "0 1 2 3 4|400 150 400 120 120"},
            {"place outside the grid: standard order", "[Grid]\nCol_Title=4\nCol_Creator=9\n",
             "0 1 2 3 4|400 150 400 120 120"},
        });
    }
    void gridColumns()
    {
        QFETCH(QString, ini);
        const Settings settings = readSettings(ini.toUtf8());
        QStringList positions, widths;
        for (const int position : settings.columnPositions)
            positions << QString::number(position);
        for (const int width : settings.columnWidths)
            widths << QString::number(width);
        QTEST(positions.join(u' ') + u'|' + widths.join(u' '), "columns");
    }

    void firstCloseWritesDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"brisklet.ini"_s);
        IniFile ini;
        QCOMPARE(ini.load(path), QString());
        WriteSettings(ini, Settings());
        QCOMPARE(ini.save(path), QString());
        QCOMPARE(testfiles::readAll(path),
                 testfiles::readAll(testfiles::dataPath(u"settings/defaults.ini"_s)));
        QCOMPARE(QFileInfo(path).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ReadUser | QFileDevice::WriteUser);
    }

    void writingKeepsOtherSectionsAndJapanese()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"brisklet.ini"_s);
        QStringList stored = {u"[Sizes]"_s, u"PL_Tree.Width=230"_s, u"[Address]"_s,
                              u"AddressMax=35"_s};
        for (int i = 1; i <= 35; ++i)
            stored << u"Address%1=http://例え.jp/%1"_s.arg(i);
        testfiles::writeAll(path, lines(stored).toUtf8());

        IniFile ini;
        QCOMPARE(ini.load(path), QString());
        Settings settings;
        ReadEnvironSettings(ini, settings);
        QCOMPARE(settings.addresses.size(), 20);
        QCOMPARE(settings.addresses.last(), u"http://例え.jp/20"_s);
        settings.defFileName = u"/データ/ニュース.dta"_s;
        WriteSettings(ini, settings);
        QCOMPARE(ini.save(path), QString());

        IniFile again;
        QCOMPARE(again.load(path), QString());
        QCOMPARE(again.value(u"Sizes"_s, u"PL_Tree.Width"_s), u"230"_s);
        QCOMPARE(again.value(u"Address"_s, u"AddressMax"_s), u"20"_s);
        QCOMPARE(again.value(u"Address"_s, u"Address21"_s), std::nullopt);
        QCOMPARE(again.value(u"Environ"_s, u"DefFileName"_s), u"/データ/ニュース.dta"_s);
    }

    void lineBreaksCannotAddKeys()
    {
        IniFile ini;
        ini.setValue(u"Environ"_s, u"DefFileName"_s, u"a\n[Environ]\nLastOpen=0"_s);
        IniFile again;
        again.parse(ini.text());
        QCOMPARE(again.value(u"Environ"_s, u"LastOpen"_s), std::nullopt);
    }

    // The user is asked exactly when an answer is given.
    void lastProjectCheckAtStart_data()
    {
        Columns<QString, bool, bool, QList<UserInterface::Answer>, StartChoice, bool>(
            "lastOpen", "projectExists", "locked", "answers", "choice", "forgotten");
        QTest::newRow("free") << u"1"_s << true << false << QList<Answer>{} << StartChoice::Continue
                              << false;
        QTest::newRow("LastOpen missing reads off here")
            << QString() << true << true << QList<Answer>{} << StartChoice::Continue << false;
        QTest::newRow("project gone")
            << u"1"_s << false << false << QList<Answer>{} << StartChoice::Continue << false;
        QTest::newRow("locked, yes") << u"1"_s << true << true << QList<Answer>{Answer::Yes}
                                     << StartChoice::Continue << true;
        QTest::newRow("locked, no")
            << u"1"_s << true << true << QList<Answer>{Answer::No} << StartChoice::Quit << false;
    }
    void lastProjectCheckAtStart()
    {
        const auto [lastOpen, projectExists, locked, answers] =
            Fetch<QString, bool, bool, QList<UserInterface::Answer>>("lastOpen", "projectExists",
                                                                     "locked", "answers");
        QTemporaryDir dir;
        const QString project = dir.filePath(u"ニュース.dta"_s);
        if (projectExists)
            testfiles::writeAll(project, "<brisklet/>");
        ProjectLock other;
        if (locked) {
            ScriptedUserInterface ui;
            QVERIFY(other.take(project, ui));
        }
        const QString settingsPath = dir.filePath(u"brisklet.ini"_s);
        QStringList ini = {u"[Environ]"_s, u"DefFileName="_s + project};
        if (!lastOpen.isNull())
            ini << u"LastOpen="_s + lastOpen;
        testfiles::writeAll(settingsPath, lines(ini).toUtf8());

        ScriptedUserInterface ui;
        ui.answers.append(answers);
        ProjectLock own;
        QTEST(CheckLastProjectAtStart(settingsPath, own, ui), "choice");
        QCOMPARE(ui.questions,
                 answers.isEmpty()
                     ? QStringList()
                     : QStringList{u"プロジェクト \"ニュース\" はユーザー \""_s +
                                   ProjectLock::loginName() +
                                   u"\" が編集中です。 新規作成モードで開きますか？"_s});
        IniFile after;
        after.load(settingsPath);
        QFETCH(bool, forgotten);
        QCOMPARE(after.value(u"Environ"_s, u"DefFileName"_s), forgotten ? QString() : project);
        QVERIFY(own.path().isEmpty());
    }
};

LOCK_HOLDER_TEST_MAIN(TestProjectCommands)
#include "tst_projectcommands.moc"
