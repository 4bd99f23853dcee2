// Time to select another node in the main window: the pages store the node
// being left and show the new one.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_gui_nodeswitch PROJECT.dta [ROUNDS]
// Prints the time to read the file alone and to open it in the window, and
// the median and the slowest switch over every node of the tree.
#include "app/mainwindow.h"
#include "core/project/project.h"
#include "core/project/projectcommands.h"
#include "core/project/projectreader.h"
#include "core/project/workspace.h"
#include "core/settings/folders.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: bench_gui_nodeswitch PROJECT.dta [ROUNDS]\n", stderr);
        return 2;
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    QTemporaryDir scratch;
    MainWindow window(Folders::at(scratch.filePath(QStringLiteral("data")),
                                  scratch.filePath(QStringLiteral("settings"))));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QElapsedTimer read;
    read.start();
    // The reader alone, the floor under opening in the window.
    ReadProjectFile(QString::fromLocal8Bit(argv[1]));
    const qint64 readMs = read.elapsed();

    QElapsedTimer open;
    open.start();
    if (!OpenProjectFile(window.workspace(), QString::fromLocal8Bit(argv[1])))
        return 1;
    QApplication::processEvents();
    const qint64 openMs = open.elapsed();

    std::vector<ProjectNode *> nodes;
    window.project().root().forEach([&](ProjectNode &node) { nodes.push_back(&node); });
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        for (ProjectNode *node : nodes) {
            QElapsedTimer timer;
            timer.start();
            window.selectNode(node);
            QApplication::processEvents();
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("read alone: %lld ms, open in window: %lld ms\n", static_cast<long long>(readMs),
                static_cast<long long>(openMs));
    std::printf("node switch: %zu switches over %zu nodes, median %.3f ms, slowest %.3f ms\n",
                times.size(), nodes.size(), times[times.size() / 2], times.back());
    window.project().setModified(false);
    return 0;
}
