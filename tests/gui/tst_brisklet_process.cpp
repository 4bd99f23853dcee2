#include "feedcheck.h"
#include "project/project.h"
#include "project/projectreader.h"
#include "project/projectwriter.h"
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

#include <algorithm>
#include <signal.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

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
        process.setProcessEnvironment(environment(platform));
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(BRISKLET_APP_PATH), {});
        return process.waitForStarted() &&
               QTest::qWaitFor([&] { return QFile::exists(socket()); }, 20000);
    }

    // The same on an X server, as the user's account; a question asked at
    // start keeps it from listening. The style is fixed: the clicks of the
    // tests are at places of its layout.
    bool startOn(QProcess &process, const QString &display, bool untilListening = true) const
    {
        QProcessEnvironment env = environment(u"xcb"_s);
        env.insert(u"DISPLAY"_s, display);
        env.insert(u"QT_STYLE_OVERRIDE"_s, u"Fusion"_s);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // A stale socket of a killed run would pass for the new one.
        QFile::remove(socket());
        if (uid == ::geteuid()) {
            process.start(QStringLiteral(BRISKLET_APP_PATH), {});
        } else {
            // The home and what the test put there become the account's.
            const QString id = u"%1:%1"_s.arg(uid);
            QProcess::execute(u"chown"_s, {u"-R"_s, id, home.path()});
            process.start(u"setpriv"_s, {u"--reuid=%1"_s.arg(uid), u"--regid=%1"_s.arg(uid),
                                         u"--clear-groups"_s, QStringLiteral(BRISKLET_APP_PATH)});
        }
        return process.waitForStarted() &&
               (!untilListening || QTest::qWaitFor([&] { return QFile::exists(socket()); }, 20000));
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
        server.start(xvfb, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                            u"-nolisten"_s, u"tcp"_s});
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
        toolEnv.insert(u"DISPLAY"_s, display);
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

// Where the window shows the content editor and the "B" button of its
// toolbar on the items tab: at its first size (960 x 640), in the Fusion
// style with the Noto CJK fonts. The same for the reload button that the
// preview window shows when its page's process died.
const QPoint contentEditorAt(600, 540);
const QPoint boldButtonAt(357, 440);
const QPoint reloadPageAt(660, 50);

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
        return user.startOn(app, x.display) && focusWindow();
    }

    // Starts on a project of one RSS 2.0 feed holding the items, with its
    // items tab shown.
    bool startOnFeed(const QList<FeedItem> &items)
    {
        ProjectNode root(Project::defaultRootName(), ProjectNode::RootKind);
        treeoutline::build(root, u"news"_s);
        TEditList &feed = *root.child(0)->data();
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
    static QStringList window() { return find(u"\\[news\\]"_s); }

    // Without a window manager nobody gives the window the keyboard focus,
    // not even back when a message box closes.
    bool focusWindow() { return x.xdo(window() << u"windowfocus"_s); }

    // Answers the message box, once it is up, with a key.
    bool answer(const QString &key)
    {
        return x.xdo(find(u"^Brisklet$"_s)
                     << u"windowfocus"_s << u"--sync"_s << u"%1"_s << u"key"_s << key);
    }

    // Answers the question asked at start, before the window names a
    // project: of the two windows with the program's bare name, the box
    // is the one made later.
    bool answerAtStart(const QString &key)
    {
        QString ids;
        const auto bothUp = [&] {
            return x.xdo({u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^Brisklet$"_s}, &ids) &&
                   ids.split(u'\n').size() == 2;
        };
        if (!QTest::qWaitFor(bothUp, 20000))
            return false;
        QList<qulonglong> windows;
        for (const QString &id : ids.split(u'\n'))
            windows << id.toULongLong();
        const QString box = QString::number(std::max(windows[0], windows[1]));
        return x.xdo({u"windowfocus"_s, u"--sync"_s, box, u"key"_s, key});
    }

    bool keys(const QStringList &names) { return x.xdo(QStringList{u"key"_s} + names); }
    bool type(const QString &text) { return x.xdo({u"type"_s, text}); }

    bool click(QPoint at)
    {
        return x.xdo(window() << u"mousemove"_s << u"--window"_s << u"%1"_s
                              << QString::number(at.x()) << QString::number(at.y()) << u"click"_s
                              << u"1"_s);
    }

    // From the tree over the tab bar into the grid: the title of row 1.
    bool typeItem(const QString &title)
    {
        return keys({u"Tab"_s, u"Tab"_s}) && type(title) && keys({u"Return"_s});
    }

    // The RSS preview, waiting for the preview window to show the page;
    // its caption then.
    QString rssPreview()
    {
        QString caption;
        if (keys({u"alt+c"_s}) && keys({u"r"_s}))
            QTest::qWaitFor(
                [&] {
                    return x.xdo({u"search"_s, u"--onlyvisible"_s, u"--name"_s,
                                  u"\\[プレビュー\\]"_s, u"getwindowname"_s},
                                 &caption);
                },
                60000);
        return caption;
    }

    // Ctrl+S, waiting for the RSS file, which saving writes last.
    bool save()
    {
        return keys({u"ctrl+s"_s}) &&
               QTest::qWaitFor([this] { return QFile::exists(rssFile()); }, 20000);
    }

    // Saves from the window and tells whether the project file's first
    // item has the title.
    bool savedWithFirstItem(const QString &title)
    {
        return focusWindow() && save() && savedFeed().items.value(0).title == title;
    }

    // The first feed of the saved project.
    TEditList savedFeed() const
    {
        const ProjectContent saved = ReadProjectFile(projectPath());
        return saved.root && saved.root->childCount() > 0 && saved.root->child(0)->data()
                   ? *saved.root->child(0)->data()
                   : TEditList();
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
        second.start(QStringLiteral(BRISKLET_APP_PATH), {});
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
        QVERIFY(d.answer(u"y"_s));
        QVERIFY(d.focusWindow());
        QVERIFY(d.keys({u"alt+f"_s}));
        QVERIFY(d.keys({u"x"_s})); // asks about the change
        QVERIFY(d.answer(u"y"_s));
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
    // unprivileged one: the window shows the page, the program goes on, and
    // saving still works.
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
                                   u"test"_s, u"-x"_s, QStringLiteral(BRISKLET_APP_PATH)}) != 0)
                QSKIP("the build folder is out of the unprivileged account's reach");
        }
        QVERIFY(d.startOnFeed({}));
        QVERIFY(d.typeItem(u"Before the preview"_s));
        // An RSS file without a stylesheet is titled after its file name;
        // the program's name follows every caption.
        QCOMPARE(d.rssPreview(), u"brisklettest.xml - [プレビュー] — Brisklet"_s);
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
        QVERIFY(d.x.xdo(Desktop::find(u"\\[プレビュー\\]"_s)
                        << u"mousemove"_s << u"--window"_s << u"%1"_s
                        << QString::number(reloadPageAt.x()) << QString::number(reloadPageAt.y())
                        << u"click"_s << u"1"_s));
        QTRY_VERIFY_WITH_TIMEOUT(!pageProcesses(program).isEmpty(), 20000);
        QVERIFY(d.focusWindow());
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

        QVERIFY(d.user.startOn(d.app, d.x.display, false));
        QVERIFY(d.answerAtStart(u"y"_s));
        QVERIFY(d.savedWithFirstItem(u"Not saved"_s));
        QVERIFY(!QFile::exists(copy));
    }

    // A new feed filled in on its channel tab with the keyboard alone, from
    // the tree through the tab bar into the fields, is saved with its RSS
    // file, which the feed clients read.
    void newFeedFilledInUnderXvfb()
    {
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        QVERIFY(d.start(ProjectNode(Project::defaultRootName(), ProjectNode::RootKind), 0));
        // The project tree menu opens on its first item, "フィードの追加".
        QVERIFY(d.keys({u"alt+p"_s}));
        QVERIFY(d.keys({u"Return"_s}));
        QVERIFY(d.keys({u"Return"_s})); // the new feed keeps its proposed name
        // From the tree over the tab bar and the scroll area to the file name.
        QVERIFY(d.keys({u"Tab"_s, u"Tab"_s, u"Tab"_s}));
        const auto typeThenTab = [&](const QString &text, int tabs) {
            return d.type(text) && d.keys(QStringList(tabs, u"Tab"_s));
        };
        QVERIFY(typeThenTab(u"site"_s, 3)); // past the two addresses
        QVERIFY(typeThenTab(u"Site News"_s, 1));
        QVERIFY(typeThenTab(u"http://example.com/"_s, 1));
        // Past the creator, the three logo fields, the version choice and
        // the stylesheet to the local folder.
        QVERIFY(typeThenTab(u"All the news"_s, 7));
        QVERIFY(d.type(d.user.home.path()));
        QVERIFY(d.save());

        const ChannelSettings saved = d.savedFeed().settings;
        QCOMPARE(saved.filename, u"site"_s);
        QCOMPARE(saved.title, u"Site News"_s);
        QCOMPARE(saved.link, u"http://example.com/"_s);
        QCOMPARE(saved.description, u"All the news"_s);
        QCOMPARE(saved.localfolder, d.user.home.path());
        const QByteArray rss = testfiles::readAll(d.rssFile());
        FEEDCHECK_ACCEPTS(rss, feedcheck::Format::Rss2);
        QVERIFY2(rss.contains("<title>Site News</title>"), rss.constData());
    }

    // A title typed into the empty first row of the grid brings the date,
    // the feed's link and its creator along, into the project file and the
    // RSS file.
    void typedItemIsFilledInUnderXvfb()
    {
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        QVERIFY(d.startOnFeed({}));
        const QDateTime before = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
        // From the tree over the tab bar into the grid, on row 1's title.
        QVERIFY(d.keys({u"Tab"_s, u"Tab"_s}));
        QVERIFY(d.type(u"First news"_s));
        QVERIFY(d.keys({u"Return"_s}));
        QVERIFY(d.save());
        const QDateTime after = QDateTime::currentDateTime();

        const QList<FeedItem> items = d.savedFeed().items;
        QCOMPARE(items.size(), 1);
        const FeedItem &item = items.first();
        QCOMPARE(item.title, u"First news"_s);
        QCOMPARE(item.url, u"http://example.com/"_s);
        QCOMPARE(item.creator, u"Taro"_s);
        const QDateTime date = QDateTime::fromString(item.date, u"yyyy-MM-dd HH:mm:ss"_s);
        QVERIFY2(date >= before && date <= after, qPrintable(item.date));

        const QByteArray rss = testfiles::readAll(d.rssFile());
        FEEDCHECK_ACCEPTS(rss, feedcheck::Format::Rss2);
        const QString rssItem = QString::fromUtf8(rss.mid(rss.indexOf("<item>")));
        QVERIFY2(rssItem.contains(u"<title>First news</title>"_s), rss.constData());
        QVERIFY(rssItem.contains(u"<link>http://example.com/</link>"_s));
        QVERIFY(rssItem.contains(u"<dc:creator>Taro</dc:creator>"_s));
        const QString pubDate =
            QRegularExpression(u"<pubDate>(.*)</pubDate>"_s).match(rssItem).captured(1);
        // Feeds are stamped in Japan's zone, whatever the machine's zone is.
        QCOMPARE(QDateTime::fromString(pubDate, Qt::RFC2822Date),
                 QDateTime(date.date(), date.time(), QTimeZone(9 * 3600)));
    }

    // "B" of the content toolbar wraps the word selected in the item's body.
    void boldButtonWrapsTheSelectionUnderXvfb()
    {
        Desktop d;
        if (!d.x.start())
            QSKIP("Xvfb and xdotool are needed for the real window");
        FeedItem item;
        item.title = u"one"_s;
        item.desc = u"hello world"_s;
        QVERIFY(d.startOnFeed({item}));
        QVERIFY(d.click(contentEditorAt));
        QVERIFY(d.keys({u"ctrl+End"_s, u"ctrl+shift+Left"_s}));
        QVERIFY(d.click(boldButtonAt));
        QVERIFY(d.save());
        QCOMPARE(d.savedFeed().items.value(0).desc, u"hello <b>world</b>"_s);
    }
};

QTEST_GUILESS_MAIN(TestBriskletProcess)
#include "tst_brisklet_process.moc"
