#include "core/project/offerrecovery.h"
#include "core/project/project.h"
#include "core/project/projectcommands.h"
#include "core/project/projectreader.h"
#include "core/project/projectsnapshot.h"
#include "core/project/projectwriter.h"
#include "core/project/recoverycopy.h"
#include "core/project/recoverykeeper.h"
#include "core/project/saveproject.h"
#include "core/project/standardoutputwriters.h"
#include "core/project/workspace.h"
#include "datarows.h"
#include "lockholder.h"
#include "scripteduserinterface.h"
#include "testfiles.h"
#include "treeoutline.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime startTime(QDate(2024, 5, 1), QTime(9, 30, 15));

// A project "News(a b)" with one item in b, open as news.dta (or never
// saved), with the recovery copy kept by a keeper of its own.
struct Fixture
{
    QTemporaryDir dir;
    Project project;
    ScriptedUserInterface ui;
    Workspace ws{project, ui, Folders::at(dir.filePath(u"data"_s), dir.filePath(u"conf"_s)),
                 StandardOutputWriters(Clock::fixed(startTime))};
    RecoveryKeeper keeper{RecoveryCopyPath(ws.folders.settings),
                          [this] { return std::optional(TakeSnapshot(project, nullptr)); }};

    explicit Fixture(bool saved = true)
    {
        QDir().mkpath(ws.folders.settings);
        treeoutline::build(project.root(), u"News(a b)"_s);
        treeoutline::find(project.root(), u"b"_s)->data()->addItem({.title = u"first"_s});
        if (saved)
            project.setFileName(dir.filePath(u"news.dta"_s));
        ws.recovery = &keeper;
        keeper.follow(project);
    }
    QString copy() const { return keeper.copyPath(); }
    QByteArray projectBytes() const { return WriteProjectFile(project.defaults, project.root()); }
    void writeCopy() const
    {
        QVERIFY(WriteRecoveryCopy(copy(), TakeSnapshot(project, nullptr)).isEmpty());
    }
    QStringList keptAside() const
    {
        return QDir(ws.folders.settings).entryList({u"brisklet_recovery_*.dta"_s});
    }
};

void setWriteTime(const QString &path, const QDateTime &time)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The copy is a project file of the snapshot, private to the user, and
    // names the project file it stands for.
    void copyIsAPrivateProjectFile_data()
    {
        Columns<QString>("projectName");
        QTest::newRow("saved project") << u"お知らせ -- 2024 #1.dta"_s;
        QTest::newRow("never saved") << QString();
    }

    void copyIsAPrivateProjectFile()
    {
        const auto [projectName] = Fetch<QString>("projectName");
        Fixture f(false);
        const QString projectPath = projectName.isEmpty() ? QString() : f.dir.filePath(projectName);
        f.project.setFileName(projectPath);
        f.writeCopy();

        QCOMPARE(QFile::permissions(f.copy()),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(RecoveredProjectPath(f.copy()), std::optional(projectPath));
        const ProjectContent read = ReadProjectFile(f.copy());
        QVERIFY(read.isRead());
        QCOMPARE(WriteProjectFile(read.defaults, *read.root), f.projectBytes());
        QCOMPARE(RecoveredProjectPath(f.dir.filePath(u"missing.dta"_s)), std::nullopt);
    }

    // What the pages show for the current feed goes into the snapshot; the
    // project keeps what was stored.
    void snapshotTakesThePagesOfTheCurrentFeed()
    {
        Fixture f;
        ProjectNode *b = treeoutline::find(f.project.root(), u"b"_s);
        f.project.setCurrentNode(b);
        FeedData live = *b->data();
        live.addItem({.title = u"typed"_s});
        const ProjectSnapshot snapshot = TakeSnapshot(f.project, &live);
        b->data()->items.first().title = u"changed later"_s;

        const ProjectNode &copied = *snapshot.root->child(0)->child(1);
        QCOMPARE(copied.data()->items.size(), 2);
        QCOMPARE(copied.data()->items.first().title, u"first"_s);
        QCOMPARE(b->data()->items.size(), 1);
        QCOMPARE(snapshot.fileName, f.project.fileName());
    }

    // A copy follows a pause in the edits, and edits without a pause get
    // one all the same once the longest wait is over.
    void keeperWritesAfterAPauseAndDuringLongEdits()
    {
        Fixture f;
        RecoveryKeeper keeper(f.copy(),
                              [&] { return std::optional(TakeSnapshot(f.project, nullptr)); },
                              {.quietMs = 300, .longestMs = 1000});
        QSignalSpy written(&keeper, &RecoveryKeeper::written);
        QElapsedTimer typing;
        typing.start();
        while (typing.elapsed() < 2500) {
            keeper.edited();
            QTest::qWait(20);
        }
        QVERIFY2(written.size() >= 2, qPrintable(QString::number(written.size())));
        f.project.root().child(0)->text = u"last"_s;
        keeper.edited();
        const qsizetype before = written.size();
        QTRY_COMPARE(written.size(), before + 1);
        QCOMPARE(written.last().first().toString(), QString());
        const auto body = [](const QByteArray &file) {
            return file.mid(file.indexOf("<brisklet"));
        };
        QCOMPARE(body(testfiles::readAll(f.copy())), body(f.projectBytes()));

        // Saving or giving the changes up removes the copy, and a copy due
        // then is never written.
        keeper.edited();
        keeper.discard();
        QTest::qWait(500);
        QVERIFY(!QFile::exists(f.copy()));
    }

    // The commands that end the unsaved changes remove their copy.
    void savingOrGivingUpRemovesTheCopy_data()
    {
        Columns<QString>("command");
        QTest::newRow("save") << u"save"_s;
        QTest::newRow("new project") << u"new"_s;
        QTest::newRow("close without saving") << u"close"_s;
    }

    void savingOrGivingUpRemovesTheCopy()
    {
        const auto [command] = Fetch<QString>("command");
        Fixture f;
        f.project.setModified(true);
        f.writeCopy();
        f.ui.answers.enqueue(UserInterface::Answer::Yes);
        if (command == u"save")
            QCOMPARE(SaveProject(f.ws, false, false, nullptr), SaveOutcome::Saved);
        else
            QVERIFY(command == u"new" ? NewProject(f.ws) : CloseProject(f.ws));
        QVERIFY(!QFile::exists(f.copy()));
    }

    // At start: restored on Yes as the modified project under its own
    // name and lock; kept aside as a dated file on No, and without asking
    // when the project file is newer.
    void offeredAtStart_data()
    {
        Columns<bool, bool, int, QString, QString, int>("saved", "projectNewer", "answer",
                                                        "outcome", "fileName", "keptAside");
        const int yes = int(UserInterface::Answer::Yes);
        const int no = int(UserInterface::Answer::No);
        QTest::newRow("Yes") << true << false << yes << u"Restored"_s << u"news.dta"_s << 0;
        QTest::newRow("No") << true << false << no << u"KeptAside"_s << QString() << 1;
        QTest::newRow("project saved after the copy: not asked")
            << true << true << -1 << u"KeptAside"_s << QString() << 1;
        QTest::newRow("never saved, Yes")
            << false << false << yes << u"Restored"_s << QString() << 0;
    }

    void offeredAtStart()
    {
        const auto [saved, projectNewer, answer, outcome, fileName, keptAside] =
            Fetch<bool, bool, int, QString, QString, int>("saved", "projectNewer", "answer",
                                                          "outcome", "fileName", "keptAside");
        Fixture f(saved);
        const QByteArray edited = f.projectBytes();
        f.writeCopy();
        if (saved) {
            testfiles::writeAll(f.project.fileName(), "old");
            setWriteTime(f.copy(), QDateTime::currentDateTime().addSecs(projectNewer ? -60 : 60));
        }
        f.project.reset();
        if (answer >= 0)
            f.ui.answers.enqueue(UserInterface::Answer(answer));

        const RecoveryOutcome result = OfferRecovery(f.ws, startTime);
        QCOMPARE(result == RecoveryOutcome::Restored ? u"Restored"_s : u"KeptAside"_s, outcome);
        QCOMPARE(f.ui.questions, answer >= 0 ? QStringList{RestoreQuestion()} : QStringList());
        QCOMPARE(f.keptAside().size(), keptAside);
        if (result == RecoveryOutcome::Restored) {
            QVERIFY(f.project.isModified());
            QCOMPARE(QFileInfo(f.project.fileName()).fileName(), fileName);
            QCOMPARE(f.projectBytes(), edited);
            QCOMPARE(f.ws.lock.path().isEmpty(), !saved);
        } else {
            QCOMPARE(f.keptAside(), QStringList{u"brisklet_recovery_20240501_093015.dta"_s});
            QVERIFY(!QFile::exists(f.copy()));
        }
        QVERIFY(f.ui.messages.isEmpty());
    }

    // A project someone else has open now is not restored over: the copy
    // is kept aside and the user told where.
    void restoreRefusedByAnotherUsersLock()
    {
        Fixture f;
        f.writeCopy();
        LockHolder other(f.project.fileName());
        f.project.reset();
        f.ui.answers.enqueue(UserInterface::Answer::Yes);
        QCOMPARE(OfferRecovery(f.ws, startTime), RecoveryOutcome::KeptAside);
        QCOMPARE(f.ui.messages.size(), 2); // the lock, then where the copy is
        QVERIFY(f.ui.messages.last().endsWith(f.ws.folders.settings +
                                              u"brisklet_recovery_20240501_093015.dta"_s));
        QVERIFY(!f.project.isModified());
    }
};

LOCK_HOLDER_TEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
