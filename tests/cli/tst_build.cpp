#include "lockholder.h"
#include "project/projectlock.h"
#include "project/projectwriter.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<ProjectNode> feed(const QString &name, const QString &folder, int ver)
{
    auto data = std::make_unique<TEditList>();
    data->settings.filename = name.toLower();
    data->settings.title = name;
    data->settings.link = u"http://example.com/"_s;
    data->settings.localfolder = folder;
    data->settings.ver = ver;
    data->settings.html = true;
    data->settings.htmlscript = u"<html><body>{channel_title}</body></html>"_s;
    FeedItem item;
    item.title = u"お知らせ"_s;
    item.date = u"2024/05/01 10:00:00"_s;
    item.url = u"http://example.com/a"_s;
    data->addItem(item);
    return std::make_unique<ProjectNode>(name, ProjectNode::FeedKind, std::move(data));
}

// A project news.dta with the feeds Blog (RSS 2.0) and Diary (RSS 1.0) in a
// folder, writing into out/.
struct Fixture
{
    QTemporaryDir dir;
    QString project = dir.filePath(u"news.dta"_s);
    QString out = dir.filePath(u"out"_s);

    Fixture()
    {
        QDir().mkpath(out);
        ProjectNode root(u"news"_s, ProjectNode::RootKind);
        ProjectNode *folder =
            root.appendChild(std::make_unique<ProjectNode>(u"フォルダ"_s, ProjectNode::FolderKind));
        folder->appendChild(feed(u"Blog"_s, out, 1));
        folder->appendChild(feed(u"Diary"_s, out, 0));
        testfiles::writeAll(project, WriteProjectFile(ProjectDefaults(), root));
    }
    testfiles::CliResult build() const { return testfiles::runCli({u"build"_s, project}); }
    QStringList outputs() const { return QDir(out).entryList(QDir::Files | QDir::Hidden); }
};

QString busyMessage()
{
    return u"このプロジェクト \"news\" はユーザー \""_s + ProjectLock::loginName() +
           u"\" が編集中です。"_s;
}

} // namespace

class TestBuild : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildsEveryFeedWithoutTouchingTheProject()
    {
        Fixture f;
        const QByteArray before = testfiles::readAll(f.project);
        const QDateTime written = QFileInfo(f.project).lastModified();
        const testfiles::CliResult result = f.build();
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(f.outputs(),
                 (QStringList{u"blog.html"_s, u"blog.xml"_s, u"diary.html"_s, u"diary.rdf"_s}));
        QVERIFY(testfiles::readAll(f.out + u"/blog.xml"_s).contains("<title>お知らせ</title>"));
        QCOMPARE(testfiles::readAll(f.out + u"/blog.html"_s),
                 QByteArray("<html><body>Blog</body></html>"));
        QCOMPARE(testfiles::readAll(f.project), before);
        QCOMPARE(QFileInfo(f.project).lastModified(), written);
        QVERIFY(!QFile::exists(ProjectLock::lockFilePath(f.project)));
    }

    void missingLocalFolderWritesBesideTheProject()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(u"site.dta"_s);
        ProjectNode root(u"site"_s, ProjectNode::RootKind);
        root.appendChild(feed(u"MixedCase"_s, dir.filePath(u"gone"_s), 1));
        root.child(0)->data()->settings.filename = u"MixedCase"_s;
        testfiles::writeAll(project, WriteProjectFile(ProjectDefaults(), root));
        QCOMPARE(testfiles::runCli({u"build"_s, project}).exitCode, 0);
        QVERIFY(QFile::exists(dir.filePath(u"mixedcase.xml"_s)));
        QVERIFY(QFile::exists(dir.filePath(u"mixedcase.html"_s)));
    }

    void reportsProblemsOfSingleFeeds_data()
    {
        QTest::addColumn<QStringList>("readOnly");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("RSS file") << QStringList{u"blog.xml"_s}
                                  << "[Blog] RSSファイルが作成できません.\n"_ba;
        QTest::newRow("both feeds, in tree order, RSS first")
            << QStringList{u"diary.rdf"_s, u"blog.html"_s, u"diary.html"_s}
            << "[Blog] HTMLファイルが作成できません.\n"
               "[Diary] RSSファイルが作成できません.\n"
               "[Diary] HTMLファイルが作成できません.\n"_ba;
    }
    void reportsProblemsOfSingleFeeds()
    {
        QFETCH(QStringList, readOnly);
        Fixture f;
        for (const QString &name : readOnly) {
            const QString path = f.out + u'/' + name;
            testfiles::writeAll(path, "old");
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
        }
        const testfiles::CliResult result = f.build();
        QCOMPARE(result.exitCode, 1);
        QTEST(result.out, "out");
        for (const QString &name : readOnly)
            QCOMPARE(testfiles::readAll(f.out + u'/' + name), QByteArray("old"));
    }

    void unreadableProject_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("not XML") << QByteArray("<brisklet><project>") << true;
    }
    void unreadableProject()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        const QString project = dir.filePath(u"broken.dta"_s);
        if (exists)
            testfiles::writeAll(project, content);
        const testfiles::CliResult result = testfiles::runCli({u"build"_s, project});
        QCOMPARE(result.exitCode, 2);
        QVERIFY(!result.err.isEmpty());
        if (!exists)
            QVERIFY(result.err.contains("プロジェクトを読み込むことができません。"));
    }

    // Feeds are generated while the file is still being read; a fault after
    // the last feed must still leave every output as it was.
    void projectDamagedAfterItsFeedsChangesNoFile_data()
    {
        QTest::addColumn<QByteArray>("damage");
        QTest::newRow("read from the disk") << QByteArray();
        QTest::newRow("repaired first") << QByteArray("\x01");
    }
    void projectDamagedAfterItsFeedsChangesNoFile()
    {
        QFETCH(QByteArray, damage);
        Fixture f;
        QCOMPARE(f.build().exitCode, 0);
        const QStringList names = f.outputs();
        QList<QByteArray> before;
        for (const QString &name : names)
            before << testfiles::readAll(f.out + u'/' + name);

        QByteArray document = testfiles::readAll(f.project);
        document.replace("<title>Blog</title>", "<title>Blog" + damage + "</title>");
        document.replace("</brisklet>", "<broken></brisklet>");
        testfiles::writeAll(f.project, document);
        const testfiles::CliResult result =
            testfiles::runCli({u"--now"_s, u"2030-01-02 03:04:05"_s, u"build"_s, f.project});
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains("行目"));
        QCOMPARE(f.outputs(), names);
        for (qsizetype i = 0; i < names.size(); ++i)
            QCOMPARE(testfiles::readAll(f.out + u'/' + names.at(i)), before.at(i));
    }

    void projectOpenInAnotherProcessIsLeftAlone()
    {
        Fixture f;
        LockHolder holder(f.project);
        const testfiles::CliResult result = f.build();
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(QString::fromUtf8(result.err).trimmed(), busyMessage());
        QCOMPARE(f.outputs(), QStringList());
    }

    void lockLeftByAKilledProcessDoesNotBlock()
    {
        Fixture f;
        LockHolder holder(f.project);
        holder.kill();
        QVERIFY(QFile::exists(ProjectLock::lockFilePath(f.project)));
        const testfiles::CliResult result = f.build();
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(f.outputs().size(), 4);
    }
};

LOCK_HOLDER_TEST_MAIN(TestBuild)

#include "tst_build.moc"
