// How long the window waits while the recovery copy of a large project is
// written: typing at 20 ms a key into an item's body while copies are
// written back to back, a 1 ms timer takes the longest gap of the event
// loop (the longest a key press can wait). Goal: 20 ms on the medium
// project of the shared generator.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_gui_recovery PROJECT.dta [SECONDS]
// Also prints the snapshot taken on the window's thread, one copy written on
// its own thread, and the same write on the window's thread for comparison.
#include "app/common/texteditor.h"
#include "app/editing/feedpagewiring.h"
#include "app/editing/itemspage.h"
#include "app/mainwindow.h"
#include "app/project/pageframe.h"
#include "core/project/project.h"
#include "core/project/projectcommands.h"
#include "core/project/recoverycopy.h"
#include "core/project/recoverykeeper.h"
#include "core/project/workspace.h"
#include "core/settings/folders.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Typing
{
    int keys = 0;
    double longestStall = 0; // ms between two ticks of a 1 ms timer
    double longestKey = 0;   // ms to handle one key press
};

// Types into the editor at 20 ms a key for the seconds.
Typing typeFor(QWidget *editor, int seconds)
{
    Typing typing;
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = clock.nsecsElapsed();
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        typing.longestStall = std::max(typing.longestStall, (now - lastTick) / 1e6);
        lastTick = now;
    });
    QTimer typist;
    typist.setTimerType(Qt::PreciseTimer);
    QObject::connect(&typist, &QTimer::timeout, [&] {
        QElapsedTimer key;
        key.start();
        QTest::keyClick(editor, char('a' + typing.keys % 26));
        typing.longestKey = std::max(typing.longestKey, key.nsecsElapsed() / 1e6);
        ++typing.keys;
    });
    ticker.start(1);
    typist.start(20);
    // A loop of its own: quitting the application would close the window.
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    return typing;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: bench_gui_recovery PROJECT.dta [SECONDS]\n", stderr);
        return 2;
    }
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    // The copies go into the settings folder, which must exist.
    QTemporaryDir scratch;
    const Folders folders = Folders::locate(scratch.path(), scratch.path());
    folders.create();
    MainWindow window(folders);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window) ||
        !OpenProjectFile(window.workspace(), QString::fromLocal8Bit(argv[1])))
        return 1;
    ProjectNode *feed = nullptr;
    window.project().root().forEachFeed([&](ProjectNode &node) { feed = feed ? feed : &node; });
    if (!feed)
        return 1;
    window.selectNode(feed);
    window.pages().tabs()->setCurrentIndex(PageFrame::ItemTab);
    TextEditor *body = window.feedPages().itemsPage()->contentEditor();
    body->setFocus();
    QApplication::processEvents();

    // First without copies, for the machine's own stalls.
    RecoveryKeeper &keeper = window.recovery();
    keeper.setDelays({.quietMs = 1 << 30, .longestMs = 1 << 30});
    std::vector<double> copyTimes;
    QElapsedTimer sinceCopy;
    QObject::connect(&keeper, &RecoveryKeeper::written, [&](const QString &error) {
        if (!error.isEmpty())
            std::fprintf(stderr, "copy failed: %s\n", qPrintable(error));
        if (sinceCopy.isValid())
            copyTimes.push_back(sinceCopy.nsecsElapsed() / 1e6);
        sinceCopy.start();
    });

    const Typing alone = typeFor(body, seconds);
    // A copy after every key, and written again as soon as one is done: the
    // writer never rests while the keys come.
    keeper.setDelays({.quietMs = 0, .longestMs = 0});
    const Typing withCopies = typeFor(body, seconds);
    keeper.setDelays({});
    keeper.settle();

    std::vector<double> snapshots;
    std::vector<double> onWindowThread;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        const std::optional<FeedData> live = window.pages().peekCurrentNode();
        const ProjectSnapshot snapshot = TakeSnapshot(window.project(), live ? &*live : nullptr);
        snapshots.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        WriteRecoveryCopy(keeper.copyPath(), snapshot);
        onWindowThread.push_back(timer.nsecsElapsed() / 1e6);
    }
    const qint64 copyBytes = QFileInfo(keeper.copyPath()).size();
    std::printf("typing %d s at 20 ms a key, twice: without copies, then with %zu copies of "
                "%.1f MB written back to back\n",
                seconds, copyTimes.size() + 1, copyBytes / 1e6);
    for (const auto &[name, typing] :
         {std::pair{"without copies", alone}, std::pair{"with copies   ", withCopies}})
        std::printf("%s: %d keys, longest event-loop stall %.2f ms, longest key %.2f ms "
                    "(goal: 20 ms)\n",
                    name, typing.keys, typing.longestStall, typing.longestKey);
    if (!copyTimes.empty())
        std::printf("one copy on its own thread while typing: median %.0f ms\n", median(copyTimes));
    std::printf("snapshot on the window's thread: median %.3f ms, slowest %.3f ms\n",
                median(snapshots), *std::max_element(snapshots.begin(), snapshots.end()));
    std::printf("the same copy written on the window's thread would stall it %.0f ms\n",
                median(onWindowThread));
    window.project().setModified(false);
    return 0;
}
