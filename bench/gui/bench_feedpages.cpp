// Shows a feed of 100 items with a 50 KB HTML template on the feed pages
// and stores it back, 50 times each, and prints the median of each step.
// Both are done on every change of the selected node, so each should stay
// within 10 ms.
//
//   cmake --build build --target bench_feedpages && build/bench/bench_feedpages

#include "../../tests/common/scripteduserinterface.h"
#include "editing/channelpage.h"
#include "editing/feedpages.h"
#include "html/htmltemplatepage.h"
#include "project/project.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

namespace {

std::unique_ptr<TEditList> bigFeed()
{
    auto feed = std::make_unique<TEditList>();
    ChannelSettings &s = feed->settings;
    s.filename = QStringLiteral("news");
    s.root = QStringLiteral("http://example.jp/");
    s.title = QStringLiteral("お知らせ");
    s.description = QStringLiteral("サイトの更新情報です。");
    s.ftpfolder = QStringLiteral("public");
    s.html = true;
    const QString line = QStringLiteral("<p class=\"entry\">{item_title} {item_date}</p>\r\n");
    while (s.htmlscript.size() < 50 * 1024)
        s.htmlscript += line;
    for (int i = 0; i < 100; ++i) {
        FeedItem item;
        item.title = QStringLiteral("更新のお知らせ その%1").arg(i);
        item.date = QStringLiteral("2005-01-01 09:05:00");
        item.desc = QStringLiteral("<p>本日、サイトを更新しました。</p>").repeated(10);
        feed->items << item;
    }
    return feed;
}

double medianMs(QList<qint64> nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return nanoseconds.at(nanoseconds.size() / 2) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    Project project;
    ScriptedUserInterface ui;
    ProjectNode *feed = project.root().appendChild(std::make_unique<ProjectNode>(
        QStringLiteral("お知らせ"), ProjectNode::FeedKind, bigFeed()));
    ProjectNode *other = project.root().appendChild(std::make_unique<ProjectNode>(
        QStringLiteral("その他"), ProjectNode::FeedKind, std::make_unique<TEditList>()));
    FeedPages pages(project, ui, {dir.path(), dir.path(), dir.path()});
    // Shown pages, as in the window: the editor lays out what it shows.
    pages.channelPage()->show();
    pages.htmlPage()->show();

    QList<qint64> shows;
    QList<qint64> stores;
    QElapsedTimer timer;
    for (int round = 0; round < 50; ++round) {
        pages.showNode(*other); // so that every show replaces a whole template
        timer.start();
        pages.showNode(*feed);
        QCoreApplication::processEvents(); // the repaint belongs to showing
        shows << timer.nsecsElapsed();
        timer.start();
        pages.storeNode(*feed);
        stores << timer.nsecsElapsed();
    }
    QTextStream(stdout) << "ShowNode median: " << medianMs(shows) << " ms\n"
                        << "StoreNode median: " << medianMs(stores) << " ms\n";
    return 0;
}
