#include "datarows.h"
#include "project/backup.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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

class TestBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
