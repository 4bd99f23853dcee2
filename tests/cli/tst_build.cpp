#include "core/project/projectlock.h"
#include "datarows.h"
#include "lockholder.h"
#include "testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The project サイト.dta with the feeds Blog (RSS 2.0, file name "Blog") and
// Diary (RSS 1.0) in a folder, both with a page, writing into www/.
struct Fixture
{
    QTemporaryDir dir;
    QString project = testfiles::placeProject(dir.path(), u"cli/build-project.dta"_s);
    QString out = dir.filePath(u"www"_s);

    testfiles::CliResult build() const { return testfiles::runCli({u"build"_s, project}); }
    QStringList outputs() const { return QDir(out).entryList(QDir::Files | QDir::Hidden); }
    QByteArray output(const QString &name) const { return testfiles::readAll(out + u'/' + name); }
};

} // namespace

// brisklet-cli build, and the options that every command shares.
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
        QVERIFY(f.output(u"blog.xml"_s).contains("<title>お知らせ</title>"));
        QCOMPARE(f.output(u"blog.html"_s), QByteArray("<html><body>Blog</body></html>"));
        QCOMPARE(testfiles::readAll(f.project), before);
        QCOMPARE(QFileInfo(f.project).lastModified(), written);
        QVERIFY(!QFile::exists(ProjectLock::lockFilePath(f.project)));
    }

    void missingLocalFolderWritesBesideTheProject()
    {
        Fixture f;
        QVERIFY(QDir(f.out).removeRecursively());
        QCOMPARE(f.build().exitCode, 0);
        for (const QString &name : {u"blog.xml"_s, u"blog.html"_s, u"diary.rdf"_s})
            QVERIFY2(QFile::exists(f.dir.filePath(name)), qPrintable(name));
    }

    void reportsProblemsOfSingleFeeds_data()
    {
        Columns<QStringList, QByteArray>("readOnly", "out");
        const QByteArray why = "ファイルが読み取り専用です。\n";
        QTest::newRow("RSS file") << QStringList{u"blog.xml"_s}
                                  << "[Blog] RSSファイルが作成できません.\n"_ba + why;
        QTest::newRow("both feeds, in tree order, RSS first")
            << QStringList{u"diary.rdf"_s, u"blog.html"_s, u"diary.html"_s}
            << "[Blog] HTMLファイルが作成できません.\n"_ba + why +
                   "[Diary] RSSファイルが作成できません.\n" + why +
                   "[Diary] HTMLファイルが作成できません.\n" + why;
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
            QCOMPARE(f.output(name), QByteArray("old"));
    }

    void unreadableProject()
    {
        QTemporaryDir dir;
        const QString project = dir.filePath(u"broken.dta"_s);
        testfiles::CliResult result = testfiles::runCli({u"build"_s, project});
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.err.contains("プロジェクトを読み込むことができません。"));
        testfiles::writeAll(project, "<brisklet><project>");
        result = testfiles::runCli({u"build"_s, project});
        QCOMPARE(result.exitCode, 2);
        QVERIFY(!result.err.isEmpty());
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
            before << f.output(name);

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
            QCOMPARE(f.output(names.at(i)), before.at(i));
    }

    // A lock held by another process stops the build; one left behind by
    // a killed process does not.
    void projectLockedByAnotherProcess()
    {
        Fixture f;
        LockHolder holder(f.project);
        const testfiles::CliResult result = f.build();
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(QString::fromUtf8(result.err).trimmed(),
                 u"このプロジェクト \"サイト\" はユーザー \""_s + ProjectLock::loginName() +
                     u"\" が編集中です。"_s);
        QCOMPARE(f.outputs(), QStringList());
        holder.kill();
        QVERIFY(QFile::exists(ProjectLock::lockFilePath(f.project)));
        QCOMPARE(f.build().exitCode, 0);
        QCOMPARE(f.outputs().size(), 4);
    }

    // The options that every command shares: help, version, and naming what is
    // not understood. None of these rows may touch a file.
    void options_data()
    {
        Columns<QStringList, int, QByteArray, QByteArray>("args", "exitCode", "out", "err");
        const auto row = [](const char *name, const QString &commandLine, int exitCode,
                            const QByteArray &out, const QByteArray &err = {}) {
            QTest::newRow(name) << commandLine.split(u' ') << exitCode << out << err;
        };
        const QByteArray buildUsage = "usage: brisklet-cli build PROJECT.dta\n";
        row("help after a command", u"build --help"_s, 0, buildUsage);
        row("short help before a command", u"-h build"_s, 0, buildUsage);
        row("help after global options and arguments", u"--data-dir /nonexistent upload a.dta -h"_s,
            0, "usage: brisklet-cli upload PROJECT.dta FEEDPATH [--yes] [--password-stdin]\n");
        row("help alone lists every command", u"--help"_s, 0, "  save PROJECT.dta OUT.dta\n");
        row("version", u"--version"_s, 0, "brisklet-cli " BRISKLET_TEST_VERSION "\n");
        row("unknown global option", u"--verbose build a.dta"_s, 64, {},
            "unknown option: --verbose\n");
        row("unknown option of a command without options", u"build --force a.dta"_s, 64, {},
            "unknown option: --force\nusage: brisklet-cli build PROJECT.dta\n");
        row("unknown option of a command with options", u"upload a.dta News --dry-run"_s, 64, {},
            "unknown option: --dry-run\n");
        row("unknown option of ftp-template",
            u"--data-dir /nonexistent ftp-template save S --server h --host h"_s, 64, {},
            "unknown option: --host\n");
        row("unknown option of import-tbl", u"import-tbl a.dta t.tbl --under F --over"_s, 64, {},
            "unknown option: --over\n");
    }
    void options()
    {
        const auto [args, exitCode, out, err] =
            Fetch<QStringList, int, QByteArray, QByteArray>("args", "exitCode", "out", "err");
        const testfiles::CliResult result = testfiles::runCli(args);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.out.contains(out), result.out.constData());
        QVERIFY2(result.err.contains(err), result.err.constData());
        QCOMPARE(result.out.isEmpty(), exitCode != 0);
    }
};

LOCK_HOLDER_TEST_MAIN(TestBuild)

#include "tst_build.moc"
