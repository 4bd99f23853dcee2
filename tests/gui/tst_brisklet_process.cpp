#include "core/project/project.h"
#include "core/project/projectreader.h"
#include "core/project/projectwriter.h"
#include "core/publish/ftptemplate.h"
#include "core/settings/folders.h"
#include "datarows.h"
#include "examplefeed.h"
#include "feedcheck.h"
#include "scriptserver.h"
#include "testfiles.h"
#include "treeoutline.h"

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <QUrl>

#include <algorithm>
#include <signal.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ScriptServer::Kind)

namespace {

// The program under test: the one built here, or the one BRISKLET_APP
// names (the installed package's, in the package check).
QString program()
{
    const QString chosen = qEnvironmentVariable("BRISKLET_APP");
    return chosen.isEmpty() ? QStringLiteral(BRISKLET_APP_PATH) : chosen;
}

// A user of their own: home, runtime, config and documents in a temporary
// folder, so that no test touches the real settings or meets a real
// Brisklet.
struct User
{
    QTemporaryDir home;
    // The account brisklet runs as: the tests' own, or (as root) another.
    uid_t uid = ::geteuid();

    QString runtime() const { return home.filePath(u"run"_s); }
    QString settingsFile() const
    {
        return home.filePath(u"config/Norvane/Brisklet/brisklet.ini"_s);
    }
    QString socket() const { return runtime() + u"/brisklet.socket"_s; }
    QString recoveryCopy() const
    {
        return home.filePath(u"config/Norvane/Brisklet/brisklet_recovery.dta"_s);
    }

    QProcessEnvironment environment(const QString &platform) const
    {
        QDir().mkpath(runtime());
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, home.path());
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime());
        env.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
        env.insert(u"XDG_DATA_HOME"_s, home.filePath(u"share"_s));
        env.insert(u"QT_QPA_PLATFORM"_s, platform);
        return env;
    }

    // Starts brisklet and waits until its window is up: it answers later
    // starts only from then on.
    bool start(QProcess &process, const QString &platform) const
    {
        return launch(process, environment(platform), {});
    }

    // The same on an X server, with the arguments; a question asked at
    // start keeps it from listening.
    bool startOn(QProcess &process, const QString &display, const QStringList &args = {},
                 bool untilListening = true) const
    {
        return launch(process, desktopEnvironment(display), args, untilListening);
    }

    bool launch(QProcess &process, const QProcessEnvironment &env, const QStringList &args,
                bool untilListening = true) const
    {
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // A stale socket of a killed run would pass for the new one.
        QFile::remove(socket());
        if (uid == ::geteuid()) {
            process.start(program(), args);
        } else {
            // The home and what the test put there become the account's.
            const QString id = u"%1:%1"_s.arg(uid);
            QProcess::execute(u"chown"_s, {u"-R"_s, id, home.path()});
            process.start(u"setpriv"_s,
                          QStringList{u"--reuid=%1"_s.arg(uid), u"--regid=%1"_s.arg(uid),
                                      u"--clear-groups"_s, program()} +
                              args);
        }
        return process.waitForStarted() &&
               (!untilListening || QTest::qWaitFor([&] { return QFile::exists(socket()); }, 20000));
    }

    // The style is fixed: the clicks of the tests are at places of its
    // layout. The default browser is a script that notes the address it
    // gets in the file "opened".
    QProcessEnvironment desktopEnvironment(const QString &display) const
    {
        QProcessEnvironment env = environment(u"xcb"_s);
        env.insert(u"DISPLAY"_s, display);
        env.insert(u"QT_STYLE_OVERRIDE"_s, u"Fusion"_s);
        const QString bin = home.filePath(u"bin"_s);
        QDir().mkpath(bin);
        testfiles::writeAll(bin + u"/xdg-open"_s, "#!/bin/sh\necho \"$1\" >> \"$HOME/opened\"\n");
        QFile::setPermissions(bin + u"/xdg-open"_s, QFile::ReadOwner | QFile::ExeOwner);
        env.insert(u"PATH"_s, bin + u':' + env.value(u"PATH"_s));
        return env;
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
    QString xdotool = QStandardPaths::findExecutable(u"xdotool"_s);

    ~XServer() { stop(server); }

    bool start()
    {
        const QString xvfb = QStandardPaths::findExecutable(u"Xvfb"_s);
        if (xvfb.isEmpty() || xdotool.isEmpty())
            return false;
        // Without -noreset the server resets when its last client goes, and
        // a program started again at once after a kill finds no display.
        server.start(xvfb, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                            u"-nolisten"_s, u"tcp"_s, u"-noreset"_s});
        if (!server.waitForReadyRead(10000))
            return false;
        display = u':' + QString::fromLatin1(server.readLine().trimmed());
        return true;
    }

    // Runs xdotool and gives the window time to follow; output receives
    // what it printed.
    bool xdo(const QStringList &args, QString *output = nullptr, int timeout = 10000,
             int settle = 400)
    {
        QProcess tool;
        QProcessEnvironment toolEnv = QProcessEnvironment::systemEnvironment();
        toolEnv.insert(u"DISPLAY"_s, display);
        tool.setProcessEnvironment(toolEnv);
        tool.start(xdotool, args);
        if (!tool.waitForFinished(timeout))
            stop(tool);
        if (output)
            *output = QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
        QTest::qWait(settle);
        return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    }
};

// Where the window shows the content editor, the "B" button of its toolbar
// and the grid's title cells on the items tab: at its first size (960 x
// 640), in the Fusion style with the Noto CJK fonts.
const QPoint contentEditorAt(450, 540);
const QPoint boldButtonAt(351, 440);
// The address box of the preview window, placed at the screen's corner, and
// the reload button it shows when its page's process died.
const QPoint addressBoxAt(370, 15);
const QPoint reloadPageAt(660, 50);
QPoint titleCellAt(int row)
{
    return {440, 157 + 23 * (row - 1)};
}

// The captions of the main window on the project "news", and of a message box.
const QString mainWindow = u"\\[news\\]"_s;
const QString messageBox = u"^Brisklet$"_s;

// Words of xdotool for a user's hand: a click and, at once, keys and text
// at a quick typist's pace (text ends a call: xdotool types all that follows).
QStringList clickAt(QPoint at)
{
    return {u"mousemove"_s,          u"--window"_s, u"%1"_s, QString::number(at.x()),
            QString::number(at.y()), u"click"_s,    u"1"_s};
}
QStringList typing(const QString &text)
{
    return {u"type"_s, u"--delay"_s, u"20"_s, text};
}
QStringList pressing(const QStringList &keys)
{
    return QStringList{u"key"_s, u"--delay"_s, u"20"_s} + keys;
}

QByteArray procFile(qint64 pid, const char *name)
{
    QFile file(u"/proc/%1/%2"_s.arg(pid).arg(QLatin1StringView(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 parentOf(qint64 pid)
{
    // "pid (name) state ppid ...", where the name may hold anything.
    const QByteArray stat = procFile(pid, "stat");
    return stat.mid(stat.lastIndexOf(')') + 2).split(' ').value(1).toLongLong();
}

// The web engine's page processes: forked by its zygote, which the program
// started.
QList<qint64> pageProcesses(qint64 program)
{
    QList<qint64> found;
    for (const QString &entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        const qint64 pid = entry.toLongLong();
        const qint64 parent = pid > 0 ? parentOf(pid) : 0;
        if (parent > 1 && parentOf(parent) == program &&
            procFile(parent, "cmdline").contains("--type=zygote"))
            found << pid;
    }
    return found;
}

// What a user does, one xdotool call a step.
using Steps = QList<QStringList>;

// Items written as "title/body|title": the start of a feed and what is saved.
QList<FeedItem> itemsOf(const QString &outline)
{
    QList<FeedItem> items;
    for (const QString &item : outline.split(u'|', Qt::SkipEmptyParts))
        items.append({.title = item.section(u'/', 0, 0), .desc = item.section(u'/', 1)});
    return items;
}
QString outlineOf(const QList<FeedItem> &items)
{
    QStringList parts;
    for (const FeedItem &item : items)
        parts << (item.desc.isEmpty() ? item.title : item.title + u'/' + item.desc);
    return parts.join(u'|');
}

// A project open in the real window on a private X server, used as a user
// uses it: with keys, typing and clicks through xdotool.
struct Desktop
{
    XServer x;
    User user;
    QProcess app;

    ~Desktop() { stop(app); }

    QString path(const QString &name) const { return user.home.filePath(name); }
    QString projectPath() const { return path(u"news.dta"_s); }
    // What saving writes for a feed with the file name "site" and the home
    // folder as its local folder.
    QString rssFile() const { return path(u"site.xml"_s); }

    // Starts brisklet on the project with the node at that tree position
    // selected; the keyboard focus is in the project tree.
    bool start(const ProjectNode &root, int treeIndex)
    {
        user.lastProject(projectPath(), root, treeIndex);
        return user.startOn(app, x.display) && step(mainWindow, {});
    }

    // Starts on a project of one RSS 2.0 feed holding the items, with its
    // items tab shown.
    bool startOnFeed(const QList<FeedItem> &items)
    {
        ProjectNode root(Project::defaultRootName(), ProjectNode::RootKind);
        treeoutline::build(root, u"news"_s);
        FeedData &feed = *root.child(0)->data();
        feed.settings.filename = u"site"_s;
        feed.settings.localfolder = user.home.path();
        feed.settings.title = u"Site"_s;
        feed.settings.link = u"http://example.com/"_s;
        feed.settings.description = u"About"_s;
        feed.settings.creator = u"Taro"_s;
        feed.items = items;
        return start(root, 1);
    }

    // The words of xdotool that wait for a window with a caption matching
    // the pattern, for the command that follows them.
    static QStringList find(const QString &caption)
    {
        return {u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, caption};
    }
    // Runs a step (its xdotool words, "%1" for the window) in the window the
    // caption names once that is up, focused first unless it has the focus
    // already: without a window manager nobody gives a window the keyboard
    // focus, not even back when a dialog closes.
    bool step(const QString &caption, QStringList words)
    {
        QString window;
        QString focused;
        if (!x.xdo(find(caption), &window, 10000, 0))
            return false;
        x.xdo({u"getwindowfocus"_s}, &focused, 10000, 0); // fails while nothing has the focus
        window = window.section(u'\n', 0, 0);
        if (window != focused && !x.xdo({u"windowfocus"_s, u"--sync"_s, window}))
            return false;
        words.replaceInStrings(u"%1"_s, window);
        return words.isEmpty() || x.xdo(words);
    }

    // Answers the question asked at start, before the window names a
    // project: of the windows with the program's bare name (the window and
    // the box, maybe more under load), the box is the one made last.
    bool answerAtStart(const QString &key)
    {
        QString ids;
        const auto bothUp = [&] {
            return x.xdo({u"search"_s, u"--onlyvisible"_s, u"--name"_s, messageBox}, &ids) &&
                   ids.split(u'\n').size() >= 2;
        };
        if (!QTest::qWaitFor(bothUp, 30000)) {
            qWarning("windows at the start question: %s", qPrintable(ids));
            return false;
        }
        qulonglong box = 0;
        for (const QString &id : ids.split(u'\n'))
            box = std::max(box, id.toULongLong());
        return x.xdo({u"windowfocus"_s, u"--sync"_s, QString::number(box), u"key"_s, key});
    }

    bool keys(const QStringList &names) { return x.xdo(pressing(names)); }
    bool type(const QString &text) { return x.xdo(typing(text)); }

    // From the tree over the tab bar into the grid: the title of row 1.
    bool typeItem(const QString &title)
    {
        return step(mainWindow, pressing({u"Tab"_s, u"Tab"_s})) && type(title) &&
               keys({u"Return"_s});
    }

    // The RSS preview, waiting for the preview window to show the page;
    // its caption then.
    QString rssPreview()
    {
        QString caption;
        if (step(mainWindow, pressing({u"alt+c"_s})) && keys({u"r"_s}))
            waitForCaption(u"\\[プレビュー\\]"_s, &caption);
        return caption;
    }

    // Waits up to a minute for a window with a caption matching the
    // pattern.
    bool waitForCaption(const QString &pattern, QString *caption)
    {
        return QTest::qWaitFor(
            [&] {
                return x.xdo(
                    {u"search"_s, u"--onlyvisible"_s, u"--name"_s, pattern, u"getwindowname"_s},
                    caption);
            },
            60000);
    }

    // Saves from the window and tells whether the project file's first
    // item has the title; saving writes the RSS file last.
    bool savedWithFirstItem(const QString &title)
    {
        return step(mainWindow, pressing({u"ctrl+s"_s})) &&
               QTest::qWaitFor([this] { return QFile::exists(rssFile()); }, 20000) &&
               savedFeed().items.value(0).title == title;
    }

    // The first feed of the saved project.
    FeedData savedFeed() const
    {
        const ProjectContent saved = ReadProjectFile(projectPath());
        return saved.root && saved.root->childCount() > 0 && saved.root->child(0)->data()
                   ? *saved.root->child(0)->data()
                   : FeedData();
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
        QVERIFY(user.start(first, u"offscreen"_s));

        QProcess second;
        second.setProcessEnvironment(user.environment(u"offscreen"_s));
        second.start(program(), {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // A lock left by a process that died does not block the next start.
        stop(first);
        QFile::remove(user.socket());
        QProcess third;
        QVERIFY(user.start(third, u"offscreen"_s));
        QCOMPARE(third.state(), QProcess::Running);
        stop(third);
    }

    // What a double click on a project file does: the program starts on it,
    // a later start hands its file to the running window, both go into the
    // recent projects and the desktop's recent files, and ヘルプ opens the
    // guide that lies where the program finds its data.
    void projectFilesFromTheDesktopUnderXvfb()
    {
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        const QString first = d.path(u"first.dta"_s);
        const QString second = d.path(u"second.dta"_s);
        for (const QString &path : {first, second})
            testfiles::writeAll(path, WriteProjectFile(ProjectDefaults(),
                                                       ProjectNode(u"x"_s, ProjectNode::RootKind)));
        QVERIFY(d.user.startOn(d.app, d.x.display, {first}));
        QVERIFY(d.x.xdo(Desktop::find(u"\\[first\\]"_s) << u"windowfocus"_s));

        QProcess later;
        later.setProcessEnvironment(d.user.desktopEnvironment(d.x.display));
        later.start(program(), {second});
        QVERIFY(later.waitForFinished(20000));
        QCOMPARE(later.exitCode(), 0);
        QVERIFY(d.x.xdo(Desktop::find(u"\\[second\\]"_s) << u"windowfocus"_s));

        QVERIFY(d.keys({u"alt+h"_s}));
        QVERIFY(d.keys({u"g"_s})); // ユーザーガイド
        const QString opened = d.path(u"opened"_s);
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(opened); }, 10000));
        const QUrl guide(QString::fromUtf8(testfiles::readAll(opened).trimmed()));
        QVERIFY2(guide.toLocalFile().endsWith(u"/guide/index.html"_s), qPrintable(guide.url()));
        QVERIFY(QFile::exists(guide.toLocalFile()));

        QVERIFY(d.keys({u"alt+f"_s}));
        QVERIFY(d.keys({u"x"_s}));
        QTRY_COMPARE_WITH_TIMEOUT(d.app.state(), QProcess::NotRunning, 20000);
        const QByteArray settings = testfiles::readAll(d.user.settingsFile());
        QVERIFY2(settings.contains("Recent1=" + second.toUtf8()), settings.constData());
        QVERIFY(settings.contains("Recent2=" + first.toUtf8()));
        const QByteArray recent = testfiles::readAll(d.path(u"share/recently-used.xbel"_s));
        for (const QString &path : {first, second})
            QVERIFY2(recent.contains(QUrl::fromLocalFile(path).toEncoded()), recent.constData());
    }

    // The real window on a real X server: a key deletes a feed, closing
    // keeps the session in the settings file.
    void deleteKeyAndCloseUnderXvfb()
    {
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        ProjectNode root(Project::defaultRootName(), ProjectNode::RootKind);
        treeoutline::build(root, u"News(a b) c"_s);
        // c is at position 4 of the tree: the root, News, a, b, c.
        QVERIFY(d.start(root, 4));
        QVERIFY(d.keys({u"Delete"_s})); // asks Yes/Cancel
        QVERIFY(d.step(messageBox, pressing({u"y"_s})));
        QVERIFY(d.step(mainWindow, pressing({u"alt+f"_s})));
        QVERIFY(d.keys({u"x"_s})); // asks about the change
        QVERIFY(d.step(messageBox, pressing({u"y"_s})));
        QTRY_COMPARE_WITH_TIMEOUT(d.app.state(), QProcess::NotRunning, 20000);
        QCOMPARE(d.app.exitCode(), 0);

        // After the delete the previous sibling News became current.
        const QByteArray settings = testfiles::readAll(d.user.settingsFile());
        QVERIFY2(settings.contains("TreeIndex=1"), settings.constData());
        QVERIFY(settings.contains("DefFileName=" + d.projectPath().toUtf8()));
        // The lock of the open project is given up.
        QVERIFY(!QFile::exists(d.path(u"news.brisklet_lock"_s)));
    }

    // The RSS preview in the real web engine, as the tests' own account
    // (root here, where the engine runs without its sandbox) and as an
    // unprivileged one: the window shows the page, Enter in its address box
    // opens the address typed there (in the default browser where the
    // engine has no sandbox), the program goes on, and saving still works.
    void previewThenSaveUnderXvfb_data()
    {
        QTest::addColumn<bool>("unprivileged");
        QTest::newRow("own account") << false;
        QTest::newRow("unprivileged account") << true;
    }

    void previewThenSaveUnderXvfb()
    {
        QFETCH(bool, unprivileged);
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        if (unprivileged) {
            if (::geteuid() != 0)
                QSKIP("only root starts the program as another account");
            d.user.uid = 65534; // nobody
            if (QProcess::execute(u"setpriv"_s,
                                  {u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s,
                                   u"test"_s, u"-x"_s, program()}) != 0)
                QSKIP("the build folder is out of the unprivileged account's reach");
        }
        QVERIFY(d.startOnFeed({}));
        QVERIFY(d.typeItem(u"Before the preview"_s));
        // An RSS file without a stylesheet is titled after its file name;
        // the program's name follows every caption.
        QCOMPARE(d.rssPreview(), u"brisklettest.xml - [プレビュー] — Brisklet"_s);

        const QString page = d.path(u"page.html"_s);
        testfiles::writeAll(page, "<html><head><title>Second</title></head></html>");
        const QString address = QUrl::fromLocalFile(page).toString();
        const QString preview = u"プレビュー"_s;
        QVERIFY(d.step(preview, clickAt(addressBoxAt) + pressing({u"ctrl+a"_s})));
        QVERIFY(d.step(preview, typing(address)));
        QVERIFY(d.step(preview, pressing({u"Return"_s})));
        if (d.user.uid == 0) {
            const QString opened = d.path(u"opened"_s);
            QTRY_VERIFY_WITH_TIMEOUT(testfiles::readAll(opened).contains(address.toUtf8()), 10000);
        } else {
            QString caption;
            QVERIFY2(d.waitForCaption(u"^Second - "_s, &caption), qPrintable(caption));
        }
        QCOMPARE(d.app.state(), QProcess::Running);
        QVERIFY(d.savedWithFirstItem(u"Before the preview"_s));
    }

    // The page's process killed during a preview: the preview window offers
    // to load the page again, which starts a new one, and the main window
    // goes on.
    void pageProcessKilledUnderXvfb()
    {
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        QVERIFY(d.startOnFeed({}));
        QVERIFY(!d.rssPreview().isEmpty());
        const qint64 program = d.app.processId();
        const QList<qint64> pages = pageProcesses(program);
        QVERIFY(!pages.isEmpty());
        for (const qint64 pid : pages)
            ::kill(pid_t(pid), SIGKILL);
        QTRY_VERIFY_WITH_TIMEOUT(pageProcesses(program).isEmpty(), 10000);
        QVERIFY(d.step(u"\\[プレビュー\\]"_s, clickAt(reloadPageAt)));
        QTRY_VERIFY_WITH_TIMEOUT(!pageProcesses(program).isEmpty(), 20000);
        QVERIFY(d.typeItem(u"After"_s));
        QVERIFY(d.savedWithFirstItem(u"After"_s));
    }

    // Killed a few seconds after an item was typed: the next start offers
    // the recovery copy, and saving after Yes writes the item into the
    // project file.
    void killedAndRestoredUnderXvfb()
    {
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        QVERIFY(d.startOnFeed({}));
        QVERIFY(d.typeItem(u"Not saved"_s));
        const QString copy = d.user.recoveryCopy();
        QVERIFY(QTest::qWaitFor(
            [&] { return QFile::exists(copy) && testfiles::readAll(copy).contains("Not saved"); },
            15000));
        QCOMPARE(QFile::permissions(copy),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        stop(d.app); // SIGKILL

        QVERIFY(d.user.startOn(d.app, d.x.display, {}, false));
        QVERIFY(d.answerAtStart(u"y"_s));
        QVERIFY(d.savedWithFirstItem(u"Not saved"_s));
        QVERIFY(!QFile::exists(copy));
    }

    // The whole road with the keyboard alone on a new project: a feed filled
    // in from the tree through the tab bar, items and a body typed quickly
    // (a title brings the date, the feed's link and its creator along),
    // saving under the name it asks for, the preview, and a search. The
    // files on disk hold it all and the feed clients read the RSS file.
    void keyboardOnlyRoadUnderXvfb()
    {
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        QVERIFY(d.user.startOn(d.app, d.x.display));
        QVERIFY(d.step(u"^Brisklet$"_s, {}));
        // The project tree menu opens on its first item, "フィードの追加".
        QVERIFY(d.keys({u"alt+p"_s}));
        QVERIFY(d.keys({u"Return"_s}));
        QVERIFY(d.keys({u"Return"_s})); // the new feed keeps its proposed name
        // From the tree over the tab bar and the scroll area to the file name.
        QVERIFY(d.keys({u"Tab"_s, u"Tab"_s, u"Tab"_s}));
        const auto typeThenKeys = [&](const QString &text, const QStringList &keys) {
            return d.type(text) && d.keys(keys);
        };
        const auto tabs = [](int count) { return QStringList(count, u"Tab"_s); };
        QVERIFY(typeThenKeys(u"site"_s, tabs(3))); // past the two addresses
        QVERIFY(typeThenKeys(u"Site News"_s, tabs(1)));
        QVERIFY(typeThenKeys(u"http://example.com/"_s, tabs(1)));
        // Past the three logo fields, the version choice and the stylesheet
        // to the local folder, then to the items tab's grid.
        QVERIFY(typeThenKeys(u"All the news"_s, tabs(1)));
        QVERIFY(typeThenKeys(u"Taro"_s, tabs(6)));
        const QDateTime before = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
        QVERIFY(typeThenKeys(d.user.home.path(), {u"ctrl+Tab"_s}));
        QVERIFY(typeThenKeys(u"First"_s, {u"Down"_s}));
        QVERIFY(typeThenKeys(u"Second"_s, {u"ctrl+Tab"_s})); // to the body
        QVERIFY(typeThenKeys(u"hello world"_s, {u"ctrl+s"_s}));
        // Never saved: the name is asked for.
        QVERIFY(d.step(u"^名前を付けて"_s, typing(d.projectPath())));
        QVERIFY(d.step(u"^名前を付けて"_s, pressing({u"Return"_s})));
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(d.rssFile()); }, 20000));

        // Back in the window, as a window manager brings it back.
        QVERIFY(d.step(mainWindow, pressing({u"alt+c"_s})));
        QVERIFY(d.keys({u"r"_s})); // RSS preview
        const bool previewed = QTest::qWaitFor(
            [&] { return d.x.xdo(Desktop::find(u"\\[プレビュー\\]"_s), nullptr, 10000, 0); },
            60000);
        // Back from the preview (a window manager's Alt+Tab) to search the body.
        QVERIFY(d.step(mainWindow, pressing({u"ctrl+Home"_s, u"ctrl+f"_s})));
        QVERIFY(d.step(u"^検索"_s, typing(u"world"_s)));
        QVERIFY(d.step(u"^検索"_s, pressing({u"Return"_s})));
        QVERIFY(d.step(mainWindow, typing(u"there"_s)));
        QVERIFY(d.keys({u"ctrl+s"_s}));

        QTRY_COMPARE_WITH_TIMEOUT(outlineOf(d.savedFeed().items), u"First|Second/hello there"_s,
                                  20000);
        const FeedItem second = d.savedFeed().items.at(1);
        QCOMPARE(second.url, u"http://example.com/"_s);
        QCOMPARE(second.creator, u"Taro"_s);
        const QDateTime date = QDateTime::fromString(second.date, u"yyyy-MM-dd HH:mm:ss"_s);
        QVERIFY2(date >= before && date <= QDateTime::currentDateTime(), qPrintable(second.date));
        const ChannelSettings saved = d.savedFeed().settings;
        QCOMPARE(saved.filename, u"site"_s);
        QCOMPARE(saved.title, u"Site News"_s);
        QCOMPARE(saved.link, u"http://example.com/"_s);
        QCOMPARE(saved.description, u"All the news"_s);
        QCOMPARE(saved.localfolder, d.user.home.path());
        const QByteArray rss = testfiles::readAll(d.rssFile());
        FEEDCHECK_ACCEPTS(rss, feedcheck::Format::Rss2);
        QVERIFY2(rss.contains("<title>Site News</title>"), rss.constData());
        // The newest item comes first; it is stamped in Japan's zone,
        // whatever the machine's zone is.
        const QString pubDate = QRegularExpression(u"<pubDate>(.*)</pubDate>"_s)
                                    .match(QString::fromUtf8(rss.mid(rss.indexOf("<item>"))))
                                    .captured(1);
        QCOMPARE(QDateTime::fromString(pubDate, Qt::RFC2822Date),
                 QDateTime(date.date(), date.time(), QTimeZone(9 * 3600)));
        if (!previewed)
            QSKIP("the web engine showed no page within a minute on this machine");
    }

    // Clicks and keys on the items tab, each step given to the window that
    // the caption names once it is up (a window manager would focus it),
    // then saved: every key lands where the user put the focus.
    void itemsTabUnderXvfb_data()
    {
        Columns<QString, Steps, QString>("items", "steps", "saved");
        const QString main = mainWindow;
        const QString search = u"^検索"_s;
        const QString replace = u"^置換"_s;
        QTest::newRow("typed right after a click on the current cell")
            << QString() << Steps{QStringList{main} + clickAt(titleCellAt(1)) + typing(u"First"_s)}
            << u"First"_s;
        QTest::newRow("the first showing leaves row 1 in view")
            << u"one|two|three"_s
            << Steps{QStringList{main} + clickAt(titleCellAt(1)) + typing(u"!"_s)}
            << u"one!|two|three"_s;
        QTest::newRow("Ctrl+Tab to the body and Ctrl+Shift+Tab back")
            << u"one"_s
            << Steps{QStringList{main} + clickAt(titleCellAt(1)) + typing(u"x"_s),
                     QStringList{main} + pressing({u"ctrl+Tab"_s}) + typing(u"body"_s),
                     QStringList{main} + pressing({u"ctrl+shift+Tab"_s}) + typing(u"y"_s)}
            << u"onexy/body"_s;
        // A click into the body, then at once to its start and the key.
        const auto fromBodyStart = [&](const QString &key) {
            return QStringList{main} + clickAt(contentEditorAt) + pressing({u"ctrl+Home"_s, key});
        };
        QTest::newRow("Ctrl+R at once, and B after the dialog")
            << u"one/hello world"_s
            << Steps{fromBodyStart(u"ctrl+r"_s),
                     QStringList{replace} + typing(u"world"_s),
                     QStringList{replace} + pressing({u"alt+r"_s}) + typing(u"there"_s),
                     QStringList{replace} + pressing({u"Return"_s}),
                     QStringList{messageBox} + pressing({u"y"_s}),
                     QStringList{main} + pressing({u"ctrl+shift+Left"_s}),
                     QStringList{main} + clickAt(boldButtonAt)}
            << u"one/hello <b>there</b>"_s;
        QTest::newRow("F3 after a search")
            << u"one/hello world"_s
            << Steps{fromBodyStart(u"ctrl+f"_s), QStringList{search} + typing(u"o"_s),
                     QStringList{search} + pressing({u"Return"_s}),
                     QStringList{main} + pressing({u"F3"_s}) + typing(u"0"_s)}
            << u"one/hello w0rld"_s;
    }
    void itemsTabUnderXvfb()
    {
        const auto [items, steps, saved] =
            Fetch<QString, Steps, QString>("items", "steps", "saved");
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        QVERIFY(d.startOnFeed(itemsOf(items)));
        for (const QStringList &step : steps)
            QVERIFY2(d.step(step.first(), step.mid(1)), qPrintable(step.join(u' ')));
        // Saving writes the RSS file last.
        QVERIFY(d.step(mainWindow, pressing({u"ctrl+s"_s})));
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(d.rssFile()); }, 20000));
        QCOMPARE(outlineOf(d.savedFeed().items), saved);
    }

    // ファイル > フィードの読み込み with the keyboard: the path typed into the
    // dialog, the report answered, the project saved with the new feed
    // beside the selected one.
    void feedImportUnderXvfb()
    {
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        const QString source = d.path(u"other.xml"_s);
        QVERIFY(QFile::copy(testfiles::dataPath(u"feedimport/rss20.xml"_s), source));
        QVERIFY(d.startOnFeed({}));
        QVERIFY(d.step(mainWindow, pressing({u"alt+f"_s})));
        QVERIFY(d.keys({u"f"_s}));
        QVERIFY(d.step(u"^フィードの読み込み$"_s, typing(source)));
        QVERIFY(d.step(u"^フィードの読み込み$"_s, pressing({u"Return"_s})));
        QVERIFY(d.step(messageBox, pressing({u"Return"_s}))); // what was left out
        QVERIFY(d.step(mainWindow, pressing({u"ctrl+s"_s})));
        const auto importedItems = [&] {
            const ProjectContent saved = ReadProjectFile(d.projectPath());
            const ProjectNode *feed =
                saved.root && saved.root->childCount() == 2 ? saved.root->child(1) : nullptr;
            return feed && feed->text == u"新着情報"_s ? outlineOf(feed->data()->items) : QString();
        };
        QTRY_VERIFY_WITH_TIMEOUT(!importedItems().isEmpty(), 20000);
        QCOMPARE(importedItems().section(u'|', 0, 0), u"一つ目の記事"_s);
    }

    // A podcast episode made in the window: its title typed into the grid,
    // its body and its media file into the panel beside the body with the
    // keyboard, saved. The RSS file passes the W3C validator without a
    // warning, and the guid saving made stays when the date is changed.
    void podcastEpisodeUnderXvfb()
    {
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        ProjectNode root(Project::defaultRootName(), ProjectNode::RootKind);
        treeoutline::build(root, u"news"_s);
        FeedData &feed = *root.child(0)->data();
        feed = examplePodcastFeed();
        feed.settings.filename = u"site"_s;
        feed.settings.ver = RssVersion::Rss2;
        feed.settings.localfolder = d.user.home.path();
        QVERIFY(d.start(root, 1));

        // ASCII only: xdotool loses characters it has to add to the keymap
        // when the machine is busy.
        QVERIFY(d.step(mainWindow, clickAt(titleCellAt(4)) + typing(u"Episode 4"_s)));
        QVERIFY(d.keys({u"ctrl+Tab"_s}) && d.type(u"The fourth show."_s));
        // Out of the body into the media panel: address, past 参照... to
        // the length, past the question to the server to the type, past
        // the local file (none chosen) to the playing time and the episode.
        QVERIFY(d.keys({u"ctrl+Tab"_s}) && d.type(u"http://example.jp/site/media/4.mp3"_s));
        QVERIFY(d.keys({u"Tab"_s, u"Tab"_s}) && d.type(u"3145728"_s));
        QVERIFY(d.keys({u"Tab"_s, u"Tab"_s}) && d.type(u"audio/mpeg"_s));
        QVERIFY(d.keys({u"Tab"_s, u"Tab"_s}) && d.type(u"25:00"_s));
        QVERIFY(d.keys({u"Tab"_s}) && d.type(u"4"_s));
        QVERIFY(d.keys({u"ctrl+s"_s}));
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(d.rssFile()); }, 20000));
        QTRY_COMPARE_WITH_TIMEOUT(d.savedFeed().items.size(), 4, 20000);
        const FeedItem episode = d.savedFeed().items.at(3);
        QCOMPARE(episode.title, u"Episode 4"_s);
        QCOMPARE(episode.desc, u"The fourth show."_s);
        QCOMPARE(episode.enclosure, u"http://example.jp/site/media/4.mp3"_s);
        QCOMPARE(episode.enclosurelength, u"3145728"_s);
        QCOMPARE(episode.enclosuretype, u"audio/mpeg"_s);
        QCOMPARE(episode.itunesduration, u"25:00"_s);
        QCOMPARE(episode.itunesepisode, u"4"_s);
        QVERIFY2(episode.guid.startsWith(u"tag:example.jp,"_s), qPrintable(episode.guid));
        const QByteArray rss = testfiles::readAll(d.rssFile());
        FEEDCHECK_ACCEPTS(rss, feedcheck::Format::Rss2);
        const QStringList findings =
            feedcheck::w3cFindings(rss, u"http://example.jp/site/site.xml"_s, u"site.xml"_s);
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join(u'\n')));

        // The date changed in the grid; the guid stays what it was.
        QVERIFY(d.step(mainWindow, clickAt(titleCellAt(4)) + pressing({u"Tab"_s})));
        QVERIFY(d.keys({u"End"_s, u"shift+Home"_s}) && d.type(u"2026-01-02 03:04:05"_s));
        QVERIFY(d.keys({u"Return"_s, u"ctrl+s"_s}));
        QTRY_COMPARE_WITH_TIMEOUT(d.savedFeed().items.value(3).date, u"2026-01-02 03:04:05"_s,
                                  20000);
        QCOMPARE(d.savedFeed().items.at(3).guid, episode.guid);
    }

    // ファイル > アップロード of a feed whose template speaks SFTP, with the
    // keyboard: the run is confirmed, the unknown host key accepted once,
    // and the RSS file arrives on the server; the key is remembered.
    void secureUploadUnderXvfb_data()
    {
        QTest::addColumn<ScriptServer::Kind>("kind");
        QTest::addColumn<QString>("trusted");
        QTest::newRow("SFTP") << ScriptServer::Kind::Sftp << u"known_hosts"_s;
        QTest::newRow("FTPS") << ScriptServer::Kind::Ftps << u"trusted_certificates"_s;
    }
    void secureUploadUnderXvfb()
    {
        QFETCH(ScriptServer::Kind, kind);
        QFETCH(QString, trusted);
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        const QString serverRoot = d.path(u"server"_s);
        QVERIFY(QDir().mkpath(serverRoot + u"/pub"_s));
        ScriptServer server(kind, serverRoot, u"brisk"_s, u"pw 2"_s);
        QVERIFY2(server.start(), qPrintable(server.failure()));
        const Folders folders =
            Folders::at(d.path(u"Documents/My RSS Data"_s), d.path(u"config/Norvane/Brisklet"_s));
        QVERIFY(QDir().mkpath(folders.ftpTemplate));
        FtpTemplate t = server.ftpTemplate();
        t.name = u"cast"_s;
        QCOMPARE(SaveFtpTemplate(folders.ftpTemplate, t), FtpTemplateSaveResult::Saved);

        ProjectNode root(Project::defaultRootName(), ProjectNode::RootKind);
        treeoutline::build(root, u"news"_s);
        FeedData &feed = *root.child(0)->data();
        feed = exampleFeed();
        feed.settings.filename = u"site"_s;
        feed.settings.ver = RssVersion::Rss2;
        feed.settings.ftptemplate = u"cast"_s;
        feed.settings.ftpfolder = u"pub"_s;
        QVERIFY(d.start(root, 1));
        QVERIFY(d.step(mainWindow, pressing({u"alt+f"_s})));
        QVERIFY(d.keys({u"u"_s}));
        QVERIFY(d.step(messageBox, pressing({u"y"_s}))); // run the upload
        QVERIFY(d.step(messageBox, pressing({u"y"_s}))); // trust the key or certificate
        const QString uploaded = serverRoot + u"/pub/site.xml"_s;
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(uploaded); }, 20000));
        QVERIFY(d.step(messageBox, pressing({u"Return"_s}))); // done
        QVERIFY(testfiles::readAll(uploaded).contains("<rss version=\"2.0\""));
        QVERIFY(QFile::exists(folders.settings + u'/' + trusted));
        QVERIFY(!QFile::exists(serverRoot + u"/pub/.site.xml.brisklet-part"_s));
    }
};

QTEST_GUILESS_MAIN(TestBriskletProcess)
#include "tst_brisklet_process.moc"
