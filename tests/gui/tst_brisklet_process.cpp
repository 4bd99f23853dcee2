#include "project/project.h"
#include "project/projectwriter.h"
#include "testfiles.h"
#include "treeoutline.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A user of their own: home, runtime, config and documents in a temporary
// folder, so that no test touches the real settings or meets a real
// Brisklet.
struct User
{
    QTemporaryDir home;

    QString runtime() const { return home.filePath(QStringLiteral("run")); }
    QString settingsFile() const
    {
        return home.filePath(QStringLiteral("config/Norvane/Brisklet/brisklet.ini"));
    }
    QString socket() const { return runtime() + QStringLiteral("/brisklet.socket"); }

    QProcessEnvironment environment(const QString &platform) const
    {
        QDir().mkpath(runtime());
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("share")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        return env;
    }

    // Starts brisklet and waits until its window is up: it answers later
    // starts only from then on.
    bool start(QProcess &process, const QString &platform) const
    {
        process.setProcessEnvironment(environment(platform));
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(BRISKLET_APP_PATH), {});
        return process.waitForStarted() &&
               QTest::qWaitFor([&] { return QFile::exists(socket()); }, 20000);
    }
};

void stop(QProcess &process)
{
    process.kill();
    process.waitForFinished();
}

} // namespace

class TestBriskletProcess : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void secondStartRaisesTheFirstAndEnds()
    {
        User user;
        QVERIFY(user.home.isValid());
        QProcess first;
        QVERIFY(user.start(first, QStringLiteral("offscreen")));

        QProcess second;
        second.setProcessEnvironment(user.environment(QStringLiteral("offscreen")));
        second.start(QStringLiteral(BRISKLET_APP_PATH), {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // A lock left by a process that died does not block the next start.
        stop(first);
        QFile::remove(user.socket());
        QProcess third;
        QVERIFY(user.start(third, QStringLiteral("offscreen")));
        QCOMPARE(third.state(), QProcess::Running);
        stop(third);
    }

    // The real window on a real X server: a key deletes a feed, closing
    // keeps the session in the settings file.
    void deleteKeyAndCloseUnderXvfb()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfb.isEmpty() || xdotool.isEmpty())
            QSKIP("Xvfb and xdotool are needed for the real window");

        QProcess server;
        server.start(xvfb,
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                      QStringLiteral("0"), QStringLiteral("1024x768x24"),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QVERIFY(server.waitForReadyRead(10000));
        const QString display = u':' + QString::fromLatin1(server.readLine().trimmed());

        User user;
        const QString projectPath = user.home.filePath(QStringLiteral("news.dta"));
        ProjectNode root(Project::defaultRootName(), ProjectNode::RootKind);
        treeoutline::build(root, QStringLiteral("News(a b) c"));
        testfiles::writeAll(projectPath, WriteProjectFile(ProjectDefaults(), root));
        // c is at position 4 of the tree: the root, News, a, b, c.
        QDir().mkpath(QFileInfo(user.settingsFile()).path());
        testfiles::writeAll(user.settingsFile(), "[Environ]\r\nLastOpen=1\r\nDefFileName=" +
                                                     projectPath.toUtf8() + "\r\nTreeIndex=4\r\n");

        QProcess app;
        QProcessEnvironment env = user.environment(QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), display);
        app.setProcessEnvironment(env);
        app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app.start(QStringLiteral(BRISKLET_APP_PATH), {});
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(user.socket()); }, 20000));

        auto xdo = [&](const QStringList &args) {
            QProcess tool;
            QProcessEnvironment toolEnv = QProcessEnvironment::systemEnvironment();
            toolEnv.insert(QStringLiteral("DISPLAY"), display);
            tool.setProcessEnvironment(toolEnv);
            tool.start(xdotool, args);
            tool.waitForFinished(10000);
            QTest::qWait(400);
            return tool.exitCode() == 0;
        };
        // Without a window manager nobody hands the focus back when a message
        // box closes: the test gives it to the main window itself.
        const QStringList focusMain = {
            QStringLiteral("search"), QStringLiteral("--sync"),     QStringLiteral("--onlyvisible"),
            QStringLiteral("--name"), QStringLiteral("\\[news\\]"), QStringLiteral("windowfocus")};
        QVERIFY(xdo(focusMain));
        QVERIFY(xdo({QStringLiteral("key"), QStringLiteral("Delete")})); // asks Yes/Cancel
        QVERIFY(xdo({QStringLiteral("key"), QStringLiteral("y")}));
        QVERIFY(xdo(focusMain));
        QVERIFY(xdo({QStringLiteral("key"), QStringLiteral("alt+f")}));
        QVERIFY(xdo({QStringLiteral("key"), QStringLiteral("x")})); // asks about the change
        QVERIFY(xdo({QStringLiteral("key"), QStringLiteral("y")}));
        QTRY_COMPARE_WITH_TIMEOUT(app.state(), QProcess::NotRunning, 20000);
        QCOMPARE(app.exitCode(), 0);
        server.kill();
        server.waitForFinished();

        // After the delete the previous sibling News became current.
        const QByteArray settings = testfiles::readAll(user.settingsFile());
        QVERIFY2(settings.contains("TreeIndex=1"), settings.constData());
        QVERIFY(settings.contains("DefFileName=" + projectPath.toUtf8()));
        // The lock of the open project is given up.
        QVERIFY(!QFile::exists(user.home.filePath(QStringLiteral("news.brisklet_lock"))));
    }
};

QTEST_GUILESS_MAIN(TestBriskletProcess)
#include "tst_brisklet_process.moc"
