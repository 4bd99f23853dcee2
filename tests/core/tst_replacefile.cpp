#include "core/files/replacefile.h"
#include "datarows.h"
#include "testfiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const char *const smallDiskOption = "--on-small-disk";
const QByteArray oldContent = QByteArray("<old project/>\r\n").repeated(300);

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

bool fillDisk(const QString &folder)
{
    QFile filler(folder + u"/filler"_s);
    if (!filler.open(QIODevice::WriteOnly))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    return true;
}

// Run inside a private mount namespace on a small file system of its own:
// writes a project file, then fills the disk ("full") or makes the file
// system read-only ("read-only") and tries to replace the file with a larger
// one. Prints what it saw; the test reads it.
int replaceOnSmallDisk(const char *mode, const char *folderPath)
{
    const QString folder = QFile::decodeName(folderPath);
    const QString project = folder + u"/news.dta"_s;
    std::puts("mounted");
    if (!ReplaceFile(project, oldContent, Durability::Synced).isEmpty())
        return 3;
    const bool ready =
        std::strcmp(mode, "full") == 0
            ? fillDisk(folder)
            : ::mount(nullptr, folderPath, nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    if (!ready)
        return 3;
    const QString error = ReplaceFile(project, QByteArray(64 * 1024, 'n'), Durability::Synced);
    std::printf("error:%s\n", error.isEmpty() ? "none" : "reported");
    std::printf("old:%s\n", testfiles::readAll(project) == oldContent ? "kept" : "lost");
    std::printf("files:%s\n", qPrintable(entries(folder).join(u',')));
    return 0;
}

// Lowers the largest file this process may write while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    struct rlimit m_saved = {};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class TestReplaceFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replacesAndKeepsPermissions_data()
    {
        QTest::addColumn<Durability>("durability");
        QTest::newRow("synced") << Durability::Synced;
        QTest::newRow("cached") << Durability::Cached;
    }
    void replacesAndKeepsPermissions()
    {
        QFETCH(Durability, durability);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"feed.xml"_s);
        testfiles::writeAll(path, oldContent);
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                          QFileDevice::WriteUser | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode));
        QCOMPARE(ReplaceFile(path, "new", durability), QString());
        QCOMPARE(testfiles::readAll(path), QByteArray("new"));
        QCOMPARE(QFile::permissions(path), mode);
        QCOMPARE(entries(dir.path()), QStringList{u"feed.xml"_s});
    }

    // A staged file replaces nothing until it is committed, and one that
    // never is leaves no trace; moving it hands the temporary file on.
    void stagedFileWaitsForCommit_data()
    {
        QTest::addColumn<bool>("commit");
        QTest::newRow("committed") << true;
        QTest::newRow("given up") << false;
    }
    void stagedFileWaitsForCommit()
    {
        QFETCH(bool, commit);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"feed.xml"_s);
        testfiles::writeAll(path, oldContent);
        {
            StagedFile first(path, "new", Durability::Cached);
            QVERIFY(!first.hasError());
            StagedFile staged = std::move(first);
            QCOMPARE(testfiles::readAll(path), oldContent);
            QCOMPARE(entries(dir.path()).size(), 2);
            if (commit) {
                QCOMPARE(staged.commit(), QString());
                QCOMPARE(staged.commit(), QString());
            }
        }
        QCOMPARE(testfiles::readAll(path), commit ? QByteArray("new") : oldContent);
        QCOMPARE(entries(dir.path()), QStringList{u"feed.xml"_s});
    }

    void readOnlyFolderKeepsOldFile()
    {
        if (::geteuid() == 0)
            QSKIP("the superuser writes into read-only folders; see failedDiskKeepsOldFile");
        QTemporaryDir dir;
        const QString path = dir.filePath(u"news.dta"_s);
        testfiles::writeAll(path, oldContent);
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const QString error = ReplaceFile(path, "new", Durability::Synced);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        QVERIFY(!error.isEmpty());
        QCOMPARE(testfiles::readAll(path), oldContent);
        QCOMPARE(entries(dir.path()), QStringList{u"news.dta"_s});
    }

    void interruptedWriteKeepsOldFile_data()
    {
        QTest::addColumn<bool>("fromDevice");
        QTest::newRow("bytes") << false;
        QTest::newRow("from a device") << true;
    }
    void interruptedWriteKeepsOldFile()
    {
        QFETCH(bool, fromDevice);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"news.dta"_s);
        testfiles::writeAll(path, oldContent);
        const QByteArray newContent(1024 * 1024, 'n');
        QBuffer source;
        source.setData(newContent);
        QVERIFY(source.open(QIODevice::ReadOnly));
        QString error;
        {
            FileSizeLimit limit(16 * 1024);
            error = fromDevice ? ReplaceFileFrom(path, source, Durability::Synced)
                               : ReplaceFile(path, newContent, Durability::Synced);
        }
        QVERIFY(!error.isEmpty());
        QCOMPARE(testfiles::readAll(path), oldContent);
        QCOMPARE(entries(dir.path()), QStringList{u"news.dta"_s});
    }

    void failedDiskKeepsOldFile_data()
    {
        Columns<QString, QByteArray>("mode", "files");
        QTest::newRow("full") << u"full"_s << QByteArray("files:filler,news.dta\n");
        QTest::newRow("read-only") << u"read-only"_s << QByteArray("files:news.dta\n");
    }
    void failedDiskKeepsOldFile()
    {
        const auto [mode, files] = Fetch<QString, QByteArray>("mode", "files");
        QTemporaryDir dir;
        const QString script =
            u"mount -t tmpfs -o size=64k none \"$2\" || exit 99; exec \"$0\" %1 \"$1\" \"$2\""_s
                .arg(QString::fromLatin1(smallDiskOption));
        QProcess process;
        process.start(u"unshare"_s,
                      {u"--user"_s, u"--map-root-user"_s, u"--mount"_s, u"sh"_s, u"-c"_s, script,
                       QCoreApplication::applicationFilePath(), mode, dir.path()});
        if (!process.waitForFinished(60000))
            QFAIL("the full-disk run did not finish");
        const QByteArray out = process.readAllStandardOutput();
        if (!out.startsWith("mounted"))
            QSKIP("no small file system can be mounted here");
        QCOMPARE(process.exitCode(), 0);
        QVERIFY2(out.contains("error:reported\n"), out.constData());
        QVERIFY2(out.contains("old:kept\n"), out.constData());
        QVERIFY2(out.contains(files), out.constData());
    }
};

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], smallDiskOption) == 0)
        return replaceOnSmallDisk(argv[2], argv[3]);
    QCoreApplication app(argc, argv);
    TestReplaceFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_replacefile.moc"
