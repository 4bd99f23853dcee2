#include "datarows.h"
#include "lockholder.h"
#include "project/projectlock.h"
#include "scripteduserinterface.h"
#include "testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString busyMessage(const QString &name, const QString &owner)
{
    return u"このプロジェクト \""_s + name + u"\" はユーザー"_s + owner + u"が編集中です。"_s;
}

QString ownName()
{
    return u" \""_s + ProjectLock::loginName() + u"\" "_s;
}

} // namespace

class TestProjectLock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
};

LOCK_HOLDER_TEST_MAIN(TestProjectLock)

#include "tst_projectlock.moc"
