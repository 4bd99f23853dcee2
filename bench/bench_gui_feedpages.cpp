// Shows a feed of 100 items with a 50 KB HTML template on the feed pages
// and stores it back, 50 times each, with the channel tab and then the HTML
// tab in front, and prints the median of each step, repaint included.
// Both are done on every change of the selected node, so each should stay
// within 10 ms.
//
//   cmake --build build --target bench_gui_feedpages && build/bench/bench_gui_feedpages

#include "../tests/common/scripteduserinterface.h"
#include "../tools/screenshots/showcasefeed.h"
#include "app/editing/channelpage.h"
#include "app/editing/feedpages.h"
#include "app/html/htmltemplatepage.h"
#include "core/project/project.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

namespace {

// The showcase feed with 100 items and a 50 KB page template.
std::unique_ptr<FeedData> bigFeed()
{
    auto feed = ShowcaseFeed(100);
    const QString line = QStringLiteral("<p class=\"entry\">{item_title} {item_date}</p>\r\n");
    while (feed->settings.htmlscript.size() < 50 * 1024)
        feed->settings.htmlscript += line;
    return feed;
}

double medianMs(QList<qint64> nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return nanoseconds.at(nanoseconds.size() / 2) / 1e6;
}

} // namespace

// Times showing and storing with the given tab of the pages in front.
void run(Project &project, ProjectNode &feed, ProjectNode &other, int tab)
{
    QTemporaryDir dir;
    ScriptedUserInterface ui;
    FeedPages pages(project, ui, {dir.path(), dir.path(), dir.path()});
    // The pages in tabs as the window holds them: only the front tab is
    // painted.
    QTabWidget tabs;
    tabs.addTab(pages.channelPage(), QStringLiteral(" 基本設定"));
    tabs.addTab(pages.htmlPage(), QStringLiteral(" HTMLテンプレート "));
    tabs.setCurrentIndex(tab);
    tabs.resize(1000, 700);
    tabs.show();

    QList<qint64> shows;
    QList<qint64> stores;
    QElapsedTimer timer;
    for (int round = 0; round < 50; ++round) {
        pages.showNode(other); // so that every show replaces a whole template
        QCoreApplication::processEvents();
        timer.start();
        pages.showNode(feed);
        QCoreApplication::processEvents(); // the repaint belongs to showing
        shows << timer.nsecsElapsed();
        timer.start();
        pages.storeNode(feed);
        stores << timer.nsecsElapsed();
    }
    QTextStream(stdout) << tabs.tabText(tab).trimmed() << " tab in front: ShowNode median "
                        << medianMs(shows) << " ms, StoreNode median " << medianMs(stores)
                        << " ms\n";
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Project project;
    ProjectNode *feed = project.root().appendChild(std::make_unique<ProjectNode>(
        QStringLiteral("お知らせ"), ProjectNode::FeedKind, bigFeed()));
    ProjectNode *other = project.root().appendChild(std::make_unique<ProjectNode>(
        QStringLiteral("その他"), ProjectNode::FeedKind, std::make_unique<FeedData>()));
    run(project, *feed, *other, 0);
    run(project, *feed, *other, 1);
    return 0;
}
