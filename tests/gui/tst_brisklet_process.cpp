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

#include <unistd.h>

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

    // The same on an X server; the web engine's sandbox is off as root,
    // where it refuses to start.
    bool startOn(QProcess &process, const QString &display) const
    {
        QProcessEnvironment env = environment(QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), display);
        if (geteuid() == 0)
            env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(BRISKLET_APP_PATH), {});
        return process.waitForStarted() &&
               QTest::qWaitFor([&] { return QFile::exists(socket()); }, 20000);
    }

    // Writes the project and makes it the last one, with the node at that
    // tree position selected.
    void lastProject(const QString &path, const ProjectNode &root, int treeIndex) const
    {
        testfiles::writeAll(path, WriteProjectFile(ProjectDefaults(), root));
        QDir().mkpath(QFileInfo(settingsFile()).path());
        testfiles::writeAll(settingsFile(),
                            "[Environ]\r\nLastOpen=1\r\nDefFileName=" + path.toUtf8() +
                                "\r\nTreeIndex=" + QByteArray::number(treeIndex) + "\r\n");
    }
};

void stop(QProcess &process)
{
    process.kill();
    process.waitForFinished();
}

// A private X server and xdotool on it.
struct XServer
{
    QProcess server;
    QString display;
    QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));

    ~XServer() { stop(server); }

    bool start()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty() || xdotool.isEmpty())
            return false;
        server.start(xvfb,
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                      QStringLiteral("0"), QStringLiteral("1024x768x24"),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!server.waitForReadyRead(10000))
            return false;
        display = u':' + QString::fromLatin1(server.readLine().trimmed());
        return true;
    }

    // Runs xdotool; output receives what it printed.
    bool xdo(const QStringList &args, QString *output = nullptr, int timeout = 10000)
    {
        QProcess tool;
        QProcessEnvironment toolEnv = QProcessEnvironment::systemEnvironment();
        toolEnv.insert(QStringLiteral("DISPLAY"), display);
        tool.setProcessEnvironment(toolEnv);
        tool.start(xdotool, args);
        if (!tool.waitForFinished(timeout))
            stop(tool);
        if (output)
            *output = QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
        QTest::qWait(400);
        return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    }
};

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
        XServer x;
        if (!x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");

        User user;
        const QString projectPath = user.home.filePath(QStringLiteral("news.dta"));
        ProjectNode root(Project::defaultRootName(), ProjectNode::RootKind);
        treeoutline::build(root, QStringLiteral("News(a b) c"));
        // c is at position 4 of the tree: the root, News, a, b, c.
        user.lastProject(projectPath, root, 4);
        QProcess app;
        QVERIFY(user.startOn(app, x.display));

        auto xdo = [&](const QStringList &args) { return x.xdo(args); };
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

        // After the delete the previous sibling News became current.
        const QByteArray settings = testfiles::readAll(user.settingsFile());
        QVERIFY2(settings.contains("TreeIndex=1"), settings.constData());
        QVERIFY(settings.contains("DefFileName=" + projectPath.toUtf8()));
        // The lock of the open project is given up.
        QVERIFY(!QFile::exists(user.home.filePath(QStringLiteral("news.brisklet_lock"))));
    }

    // The RSS preview of an RSS 2.0 feed in the real web engine: the
    // preview window comes up with the page's title in its caption.
    void rssPreviewUnderXvfb()
    {
        XServer x;
        if (!x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        User user;
        const QString projectPath = user.home.filePath(QStringLiteral("news.dta"));
        ProjectNode root(Project::defaultRootName(), ProjectNode::RootKind);
        treeoutline::build(root, QStringLiteral("news"));
        ChannelSettings &feed = root.child(0)->data()->settings;
        feed.ver = 1;
        feed.title = QStringLiteral("お知らせ");
        user.lastProject(projectPath, root, 1);
        QProcess app;
        QVERIFY(user.startOn(app, x.display));

        QVERIFY(x.xdo({QStringLiteral("search"), QStringLiteral("--sync"),
                       QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                       QStringLiteral("\\[news\\]"), QStringLiteral("windowfocus")}));
        QVERIFY(x.xdo({QStringLiteral("key"), QStringLiteral("alt+c")}));
        QVERIFY(x.xdo({QStringLiteral("key"), QStringLiteral("r")})); // RSS preview
        QString caption;
        const bool shown = QTest::qWaitFor(
            [&] {
                return x.xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                              QStringLiteral("--name"), QStringLiteral("\\[プレビュー\\]"),
                              QStringLiteral("getwindowname")},
                             &caption);
            },
            60000);
        stop(app);
        if (!shown)
            QSKIP("the web engine showed no page within a minute on this machine");
        // An RSS file without a stylesheet is titled after its file name;
        // the program's name follows every caption.
        QCOMPARE(caption, QStringLiteral("brisklettest.xml - [プレビュー] — Brisklet"));
    }
};

QTEST_GUILESS_MAIN(TestBriskletProcess)
#include "tst_brisklet_process.moc"
