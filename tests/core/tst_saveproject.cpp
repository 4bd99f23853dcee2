#include "core/feed/feedfiles.h"
#include "core/project/backup.h"
#include "core/project/project.h"
#include "core/project/projectreader.h"
#include "core/project/saveproject.h"
#include "core/project/standardoutputwriters.h"
#include "core/project/workspace.h"
#include "datarows.h"
#include "filechoice.h"
#include "scripteduserinterface.h"
#include "testfiles.h"
#include "treeoutline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// The tree that the project file holds.
QString nodeNames(const QString &path)
{
    return treeoutline::of(*ReadProjectFile(path).root);
}

ProjectNode *addFeed(ProjectNode &parent, const QString &name, const QString &folder,
                     bool html = false)
{
    auto data = std::make_unique<FeedData>();
    data->settings.filename = name;
    data->settings.title = name;
    data->settings.localfolder = folder;
    data->settings.html = html;
    data->settings.link = u"http://example.com/"_s;
    data->settings.root = u"http://example.com/"_s;
    data->settings.description = name;
    data->settings.htmlscript = u"<p>{channel_title}</p>"_s;
    // Feeds named dup... are RSS 1.0 feeds with the same item twice.
    if (name.startsWith(u"dup"_s)) {
        data->settings.ver = RssVersion::Rss1;
        FeedItem item{u"t"_s, u"2024/01/02 03:04:05"_s, u"http://example.com/a"_s, {}, {}, {}};
        data->addItem(item);
        data->addItem(item);
    }
    return parent.appendChild(
        std::make_unique<ProjectNode>(name, ProjectNode::FeedKind, std::move(data)));
}

struct Fixture
{
    QTemporaryDir dir;
    Project project;
    ScriptedUserInterface ui;
    Workspace ws{project, ui, Folders::at(dir.filePath(u"data"_s), dir.filePath(u"conf"_s)),
                 StandardOutputWriters(Clock::fixed(QDateTime(QDate(2024, 5, 1), QTime(9, 0))))};

    QString path(const QString &name) const { return dir.filePath(name); }
    QString out() const { return dir.filePath(u"out"_s); }
    Fixture() { QDir().mkpath(out()); }
};

void setLastWritten(const QString &path, const QDateTime &time)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) ||
        !file.setFileTime(time, QFileDevice::FileModificationTime))
        qFatal("cannot set the time of %s", qPrintable(path));
}

// Bytes that differ from block to block, so that a block copied twice or
// left out shows.
QByteArray numberedLines(int count)
{
    QByteArray bytes;
    for (int line = 0; line < count; ++line)
        bytes += "<item n=\"" + QByteArray::number(line) + "\"/>\r\n";
    return bytes;
}

} // namespace

// Saving a project: its file, the backup, and the feed files it writes.
class TestSaveProject : public QObject
{
    Q_OBJECT

    // The folders that output paths are made of.
    QTemporaryDir m_top;
    QString m_previousCurrent;

    // Paths in the rows use "LOCAL" for an existing folder with capitals and a
    // space in its name, "PROJECT" for the folder of the project file.
    QString expand(QString text) const
    {
        return text.replace(u"LOCAL"_s, m_top.filePath(u"Site Out"_s))
            .replace(u"PROJECT"_s, m_top.filePath(u"Projects"_s));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_top.isValid());
        QVERIFY(QDir(m_top.path()).mkpath(u"Site Out"_s));
        QVERIFY(QDir(m_top.path()).mkpath(u"Projects"_s));
        QVERIFY(QDir(m_top.path()).mkpath(u"ab"_s));
        QFile file(m_top.filePath(u"a file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        // A relative localfolder is taken from the current folder.
        m_previousCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_top.path()));
    }

    void cleanupTestCase() { QDir::setCurrent(m_previousCurrent); }

    void firstSaveAsksForTheFile()
    {
        Fixture f;
        addFeed(f.project.root(), u"News"_s, f.out(), true);
        f.project.setModified(true);
        const QString target = f.path(u"site.dta"_s);
        f.ui.files.enqueue(target);

        QCOMPARE(SaveProject(f.ws, false, false, nullptr), SaveOutcome::Saved);
        QCOMPARE(f.ui.fileChoices.size(), 1);
        QCOMPARE(ChoiceLine(f.ui.fileChoices.first()),
                 u"名前を付けてプロジェクトの保存|プロジェクトファイル(*.dta)|*.dta|dta|"_s +
                     f.ws.folders.project + u'|');

        QCOMPARE(nodeNames(target), u"News"_s);
        QVERIFY(testfiles::readAll(f.out() + u"/news.xml"_s).contains("<title>News</title>"));
        QCOMPARE(testfiles::readAll(f.out() + u"/news.html"_s), QByteArray("<p>News</p>"));
        QVERIFY(!f.project.isModified());
        QCOMPARE(f.project.fileName(), target);
        QCOMPARE(f.project.root().text, u"site"_s);
        QCOMPARE(f.ws.lock.path(), f.path(u".site.brisklet_lock"_s));
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(f.ui.busyDepth, 0);

        // Saving again writes in place, without a dialog.
        QCOMPARE(SaveProject(f.ws, false, false, nullptr), SaveOutcome::Saved);
        QCOMPARE(f.ui.fileChoices.size(), 1);
    }

    void saveAsProposesTheFileWithoutExtension()
    {
        Fixture f;
        f.project.setFileName(f.path(u"site.dta"_s));
        QCOMPARE(SaveProject(f.ws, true, false, nullptr), SaveOutcome::Cancelled);
        QCOMPARE(f.ui.fileChoices.first().proposedName, f.path(u"site"_s));
        QVERIFY(!QFile::exists(f.path(u"site.dta"_s)));
        QVERIFY(f.ws.lock.path().isEmpty());
    }

    void report_data()
    {
        Columns<QStringList, QStringList, QString>("feeds", "readOnly", "message");
        QTest::newRow("no problems") << QStringList{u"A"_s, u"B"_s} << QStringList{} << QString();
        QTest::newRow("duplicates in two feeds, in tree order")
            << QStringList{u"dupA"_s, u"ok"_s, u"dupB"_s} << QStringList{}
            << u"プロジェクトは保存しました.\r\n\r\n"
               "\r\n[dupA] 同じ日付のアドレスが重複する項目がありました."
               "\r\n[dupA] 出力ファイルの検査で誤りが 1 件見つかりました."
               "\r\n[dupB] 同じ日付のアドレスが重複する項目がありました."
               "\r\n[dupB] 出力ファイルの検査で誤りが 1 件見つかりました."_s;
        // Why, on a line of its own.
        QTest::newRow("RSS before page, per feed")
            << QStringList{u"A"_s, u"B"_s} << QStringList{u"a.html"_s, u"b.xml"_s, u"b.html"_s}
            << u"プロジェクトは保存しました.\r\n\r\n"
               "\r\n[A] HTMLファイルが作成できません.\r\nファイルが読み取り専用です。"
               "\r\n[B] RSSファイルが作成できません.\r\nファイルが読み取り専用です。"
               "\r\n[B] HTMLファイルが作成できません.\r\nファイルが読み取り専用です。"_s;
    }
    void report()
    {
        const auto [feeds, readOnly, message] =
            Fetch<QStringList, QStringList, QString>("feeds", "readOnly", "message");
        Fixture f;
        auto folder = std::make_unique<ProjectNode>(u"folder"_s, ProjectNode::FolderKind);
        ProjectNode *parent = f.project.root().appendChild(std::move(folder));
        for (const QString &name : feeds)
            addFeed(*parent, name, f.out(), true);
        for (const QString &name : readOnly) {
            const QString file = f.out() + u'/' + name;
            testfiles::writeAll(file, "old");
            QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadUser));
        }
        f.ui.files.enqueue(f.path(u"p.dta"_s));
        QCOMPARE(SaveProject(f.ws, false, false, nullptr), SaveOutcome::Saved);
        QCOMPARE(f.ui.messages.join(u'|'), message);
        for (const QString &name : readOnly)
            QCOMPARE(testfiles::readAll(f.out() + u'/' + name), QByteArray("old"));
        QVERIFY(QFile::exists(f.path(u"p.dta"_s)));
    }

    // Feeds are generated side by side; what they report still comes in
    // tree order, messages of page templates first, then the save report.
    void manyFeedsReportInTreeOrder()
    {
        Fixture f;
        const QStringList brokenHeads{u"{channel_link"_s, u"{channel_desc"_s, u"{image_url"_s,
                                      u"{item_title"_s, u"{common_generator"_s};
        QStringList expectedMessages;
        QString report;
        for (int i = 0; i < 40; ++i) {
            const QString name = u"feed%1"_s.arg(i, 2, 10, QChar(u'0'));
            ProjectNode *feed = addFeed(f.project.root(), name, f.out(), true);
            const QString head = brokenHeads.at(i % brokenHeads.size());
            feed->data()->settings.htmlscript += head;
            expectedMessages << head + u"}変数が不正です。"_s;
            if (i % 3 == 0) {
                const QString file = f.out() + u'/' + name + u".xml"_s;
                testfiles::writeAll(file, "old");
                QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
                report += u"\r\n["_s + name +
                          u"] RSSファイルが作成できません.\r\nファイルが読み取り専用です。"_s;
            }
        }
        expectedMessages << u"プロジェクトは保存しました.\r\n\r\n"_s + report;
        f.ui.files.enqueue(f.path(u"p.dta"_s));

        QCOMPARE(SaveProject(f.ws, false, false, nullptr), SaveOutcome::Saved);
        QCOMPARE(f.ui.messages.join(u"|"_s), expectedMessages.join(u"|"_s));
        // The window hears of every feed done, of all 40, in order.
        f.ui.progress.removeDuplicates();
        QCOMPARE(f.ui.progress.size(), 41);
        QCOMPARE(f.ui.progress.first(), u"保存中 0/40"_s);
        QCOMPARE(f.ui.progress.last(), u"保存中 40/40"_s);
        for (int i = 0; i < 40; ++i) {
            const QString name = u"feed%1"_s.arg(i, 2, 10, QChar(u'0'));
            QCOMPARE(testfiles::readAll(f.out() + u'/' + name + u".html"_s),
                     u"<p>%1</p>"_s.arg(name).toUtf8() + brokenHeads.at(i % 5).toUtf8());
        }
    }

    void feedsWithoutFolderOrNameWriteNothing()
    {
        Fixture f;
        addFeed(f.project.root(), u"nofolder"_s, QString(), true);
        addFeed(f.project.root(), QString(), f.out(), true);
        f.ui.files.enqueue(f.path(u"p.dta"_s));
        QCOMPARE(SaveProject(f.ws, false, false, nullptr), SaveOutcome::Saved);
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(QDir(f.out()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void exportLeavesTheOpenProjectAlone_data()
    {
        Columns<QString, QString, QString>("selected", "proposed", "written");
        QTest::newRow("feed") << u"a/b:c"_s << u"abc"_s << u"a/b:c"_s;
        QTest::newRow("root") << u"root"_s << u"site"_s << u"a/b:c other"_s;
        QTest::newRow("nothing") << QString() << QString() << QString();
    }
    void exportLeavesTheOpenProjectAlone()
    {
        const auto [selected, proposed] = Fetch<QString, QString>("selected", "proposed");
        Fixture f;
        const QString open = f.path(u"site.dta"_s);
        f.project.setFileName(open);
        f.project.updateRootName();
        QVERIFY(f.ws.lock.take(open, f.ui));
        ProjectNode *feed = addFeed(f.project.root(), u"a/b:c"_s, f.out());
        addFeed(f.project.root(), u"other"_s, f.out());
        f.project.setModified(true);
        const ProjectNode *node = selected.isEmpty()      ? nullptr
                                  : selected == u"root"_s ? &f.project.root()
                                                          : feed;
        const QString target = f.path(u"export.dta"_s);
        f.ui.files.enqueue(target);

        QCOMPARE(SaveProject(f.ws, false, true, node), SaveOutcome::Saved);
        QCOMPARE(f.ui.fileChoices.first().proposedName,
                 proposed.isEmpty() ? QString() : f.path(proposed));
        QTEST(nodeNames(target), "written");
        QCOMPARE(f.project.fileName(), open);
        QVERIFY(f.project.isModified());
        QCOMPARE(f.ws.lock.path(), ProjectLock::lockFilePath(open));
        QVERIFY(!QFile::exists(ProjectLock::lockFilePath(target)));
        QCOMPARE(QDir(f.out()).entryList(QDir::Files), QStringList());
    }

    void lockedTargetIsNotWritten_data()
    {
        QTest::addColumn<bool>("exportOnly");
        QTest::newRow("save") << false;
        QTest::newRow("export") << true;
    }
    void lockedTargetIsNotWritten()
    {
        QFETCH(bool, exportOnly);
        Fixture f;
        const QString target = f.path(u"shared.dta"_s);
        testfiles::writeAll(target, "theirs");
        ProjectLock theirs;
        QVERIFY(theirs.take(target, f.ui));
        addFeed(f.project.root(), u"A"_s, f.out());
        f.project.setModified(true);
        f.ui.files.enqueue(target);
        QCOMPARE(SaveProject(f.ws, false, exportOnly, &f.project.root()), SaveOutcome::Failed);
        QCOMPARE(f.ui.messages, QStringList{u"このプロジェクト \"shared\" はユーザー \""_s +
                                            ProjectLock::loginName() + u"\" が編集中です。"_s});
        QCOMPARE(testfiles::readAll(target), QByteArray("theirs"));
        QVERIFY(f.project.isModified());
        QVERIFY(f.ws.lock.path().isEmpty());
        // A save has taken the target as the project's file all the same.
        QCOMPARE(f.project.fileName(), exportOnly ? QString() : target);
    }

    void unwritableProjectFileChangesNothing()
    {
        Fixture f;
        f.ws.settings.backup = false;
        const QString target = f.path(u"p.dta"_s);
        QVERIFY(QDir().mkpath(target)); // a folder where the file should go
        addFeed(f.project.root(), u"A"_s, f.out());
        f.project.setModified(true);
        f.ui.files.enqueue(target);
        QCOMPARE(SaveProject(f.ws, false, false, nullptr), SaveOutcome::Failed);
        QCOMPARE(f.ui.messages, QStringList{u"このプロジェクトは既に開いています。\r\n"_s +
                                            QString::fromLocal8Bit(std::strerror(EISDIR))});
        QVERIFY(f.project.isModified());
        QCOMPARE(QDir(f.out()).entryList(QDir::Files), QStringList());
    }

    // A file written more than a day ago is backed up before it is
    // replaced; when the backup fails, nothing is written.
    void backupBeforeReplacing_data()
    {
        QTest::addColumn<bool>("backupFails");
        QTest::newRow("backup made") << false;
        QTest::newRow("backup fails") << true;
    }
    void backupBeforeReplacing()
    {
        QFETCH(bool, backupFails);
        Fixture f;
        const QString target = f.path(u"p.dta"_s);
        testfiles::writeAll(target, "old");
        setLastWritten(target, QDateTime::currentDateTime().addSecs(-25 * 3600));
        if (backupFails)
            testfiles::writeAll(f.ws.folders.backup.chopped(1), "in the way");
        f.project.setFileName(target);
        addFeed(f.project.root(), u"A"_s, f.out());

        QCOMPARE(SaveProject(f.ws, false, false, nullptr),
                 backupFails ? SaveOutcome::Failed : SaveOutcome::Saved);
        const QString backup = f.ws.folders.backup + u"バックアップ_p.dta"_s;
        QCOMPARE(QFile::exists(backup), !backupFails);
        if (!backupFails) {
            QCOMPARE(testfiles::readAll(backup), QByteArray("old"));
            QCOMPARE(nodeNames(target), u"A"_s);
            return;
        }
        QCOMPARE(testfiles::readAll(target), QByteArray("old"));
        QCOMPARE(f.ui.messages, QStringList{u"バックアップに失敗しましたので保存を中止します。\r\n"
                                            u"プロジェクトを別名で保存してください。"_s});
        QCOMPARE(QDir(f.out()).entryList(QDir::Files), QStringList());
    }

    void backupWhenADayHasPassed_data()
    {
        Columns<int, bool, bool>("hoursAgo", "enabled", "madeBackup");
        QTest::newRow("23 hours") << 23 << true << false;
        QTest::newRow("25 hours") << 25 << true << true;
        QTest::newRow("25 hours in the future") << -25 << true << true;
        QTest::newRow("switched off") << 25 << false << false;
    }
    void backupWhenADayHasPassed()
    {
        const auto [hoursAgo, enabled] = Fetch<int, bool>("hoursAgo", "enabled");
        QTemporaryDir dir;
        const QString project = dir.filePath(u"news.dta"_s);
        const QString backupFolder = dir.filePath(u"Project/Backup"_s);
        testfiles::writeAll(project, "current");
        const QDateTime now = QDateTime::currentDateTime();
        setLastWritten(project, now.addSecs(-hoursAgo * 3600));

        QVERIFY(BackupIfDue(project, backupFolder, enabled, now));
        QFETCH(bool, madeBackup);
        const QString backup = dir.filePath(u"Project/Backup/バックアップ_news.dta"_s);
        QCOMPARE(QFile::exists(backup), madeBackup);
        if (madeBackup)
            QCOMPARE(testfiles::readAll(backup), QByteArray("current"));
        else
            QVERIFY(!QFile::exists(backupFolder));
    }

    // One backup per file name, whichever folder the project lies in. It is
    // copied whole (several copy blocks and a part of one), and a later,
    // smaller one replaces it whole.
    void oneBackupPerFileName()
    {
        QTemporaryDir dir;
        const QString backupFolder = dir.filePath(u"Backup"_s);
        const QDateTime now = QDateTime::currentDateTime();
        for (const QByteArray &content : {numberedLines(60000), QByteArray("b")}) {
            const QString project = dir.filePath(QString::number(content.size()) + u"/news.dta"_s);
            testfiles::writeAll(project, content);
            setLastWritten(project, now.addDays(-2));
            QVERIFY(BackupIfDue(project, backupFolder, true, now));
            QCOMPARE(testfiles::readAll(BackupFilePath(backupFolder, u"/x/news.dta"_s)), content);
        }
        QCOMPARE(QDir(backupFolder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"バックアップ_news.dta"_s});
    }

    // The process's own memory opens as a file, but reading its first page
    // fails: the copy breaks off after it has begun.
    void unreadableProjectKeepsOldBackup()
    {
        const QString project = u"/proc/self/mem"_s;
        QTemporaryDir dir;
        const QString backupFolder = dir.filePath(u"Backup"_s);
        const QString backup = BackupFilePath(backupFolder, project);
        const QByteArray oldBackup = numberedLines(1000);
        testfiles::writeAll(backup, oldBackup);
        const QDateTime now = QFileInfo(project).lastModified().addDays(2);
        QVERIFY(!BackupIfDue(project, backupFolder, true, now));
        QCOMPARE(testfiles::readAll(backup), oldBackup);
        QCOMPARE(QDir(backupFolder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"バックアップ_mem"_s});
    }

    // paths: the RSS file's and the page's, "|" between; empty when there
    // are none.
    void paths_data()
    {
        Columns<QString, QString, QString, int, int, QString>(
            "localfolder", "projectFile", "filename", "ver", "htmlext", "paths");
        const auto row = [](const char *name, const char *localfolder, const QString &filename,
                            int ver, int htmlext, const char *paths) {
            QTest::newRow(name) << QString::fromUtf8(localfolder) << u"PROJECT/my.dta"_s << filename
                                << ver << htmlext << QString::fromUtf8(paths);
        };
        row("RSS 2.0 and .html", "LOCAL", u"news"_s, 1, 0, "LOCAL/news.xml|LOCAL/news.html");
        row("RSS 1.0 and .htm", "LOCAL", u"news"_s, 0, 1, "LOCAL/news.rdf|LOCAL/news.htm");
        row("any other ver is RSS 2.0", "LOCAL", u"news"_s, 5, 3, "LOCAL/news.xml|LOCAL/news.htm");
        row("only the file name is lower-cased", "LOCAL", u"News_FEED"_s, 1, 0,
            "LOCAL/news_feed.xml|LOCAL/news_feed.html");
        row("double-byte characters keep their form", "LOCAL", u"ニュースＡB"_s, 1, 0,
            "LOCAL/ニュースＡb.xml|LOCAL/ニュースＡb.html");
        row("extension replaced", "LOCAL", u"news.TXT"_s, 1, 0, "LOCAL/news.xml|LOCAL/news.html");
        row("only the last extension", "LOCAL", u"news.v2.txt"_s, 0, 0,
            "LOCAL/news.v2.rdf|LOCAL/news.v2.html");
        row("dot at the end", "LOCAL", u"news."_s, 1, 0, "LOCAL/news.xml|LOCAL/news.html");
        row("colon after the last dot", "LOCAL", u"a.b:c"_s, 1, 0,
            "LOCAL/a.b:c.xml|LOCAL/a.b:c.html");
        row("spaces inside the name stay", "LOCAL", u"my news"_s, 1, 0,
            "LOCAL/my news.xml|LOCAL/my news.html");
        row("folder with trailing slash", "LOCAL/", u"news"_s, 1, 0,
            "LOCAL/news.xml|LOCAL/news.html");
        row("short folder still gets its separator", "ab", u"news"_s, 1, 0,
            "ab/news.xml|ab/news.html");
        row("missing folder falls back to the project's", "LOCAL/missing", u"news"_s, 1, 0,
            "PROJECT/news.xml|PROJECT/news.html");
        row("empty folder falls back to the project's", "", u"news"_s, 1, 0,
            "PROJECT/news.xml|PROJECT/news.html");
        row("a file is no folder", "a file", u"news"_s, 1, 0, "PROJECT/news.xml|PROJECT/news.html");
        QTest::newRow("no folder at all")
            << u"LOCAL/missing"_s << QString() << u"news"_s << 1 << 0 << QString();
        for (const QString &name : {u".."_s, u"."_s, u"../evil"_s, u"sub/news"_s, u"..\\news"_s,
                                    QString(), u" \u3000"_s, u"news%1x"_s.arg(QChar(u'\0'))})
            QTest::addRow("refused name \"%s\"", qPrintable(name))
                << u"LOCAL"_s << u"PROJECT/my.dta"_s << name << 1 << 0 << QString();
    }

    void paths()
    {
        const auto [localfolder, projectFile, filename, ver, htmlext] =
            Fetch<QString, QString, QString, int, int>("localfolder", "projectFile", "filename",
                                                       "ver", "htmlext");
        ChannelSettings settings;
        settings.localfolder = expand(localfolder);
        settings.filename = filename;
        settings.ver = RssVersion(ver);
        settings.htmlext = PageExtension(htmlext);
        const QString rss = RssFilePath(settings, expand(projectFile)).value_or(QString());
        const QString html = HtmlFilePath(settings, expand(projectFile)).value_or(QString());
        QFETCH(QString, paths);
        QCOMPARE(rss.isEmpty() && html.isEmpty() ? QString() : rss + u'|' + html, expand(paths));
    }
};

QTEST_GUILESS_MAIN(TestSaveProject)
#include "tst_saveproject.moc"
