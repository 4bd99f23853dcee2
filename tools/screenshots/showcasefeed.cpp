#include "showcasefeed.h"

#include "app/editing/feedpagewiring.h"
#include "app/editing/itemgridview.h"
#include "app/editing/itemspage.h"
#include "app/mainwindow.h"
#include "core/project/project.h"
#include "core/settings/folders.h"

#include <QTabWidget>

#include <QStringList>

std::unique_ptr<FeedData> ShowcaseFeed(int itemCount)
{
    auto data = std::make_unique<FeedData>();
    ChannelSettings &s = data->settings;
    s.filename = QStringLiteral("news.rdf");
    s.title = QStringLiteral("新着情報");
    s.creator = QStringLiteral("広報室");
    s.link = QStringLiteral("https://www.example.jp/");
    s.description = QStringLiteral("サイトの新着情報をお届けします");
    s.ftpfolder = QStringLiteral("/srv/www/news");
    s.html = true;
    s.htmlscript = QStringLiteral("<html>\r\n<head><title>$title</title></head>\r\n<body>\r\n"
                                  "<h1>$title</h1>\r\n$items\r\n</body>\r\n</html>\r\n");
    const QStringList titles = {QStringLiteral("夏季休業のお知らせ"),
                                QStringLiteral("新製品を発売しました"),
                                QStringLiteral("サイトをリニューアルしました")};
    for (int i = 0; i < itemCount; ++i)
        data->items.append({titles[i % titles.size()],
                            QStringLiteral("2026/07/%1 10:00:00").arg(10 + i % 19),
                            QStringLiteral("https://www.example.jp/news/%1.html").arg(i + 1),
                            QStringLiteral("概要 %1").arg(i + 1), QStringLiteral("お知らせ"),
                            QStringLiteral("広報室")});
    return data;
}

std::function<std::unique_ptr<QWidget>(const QString &)>
WindowOnFeedTab(const QString &feedName, std::function<std::unique_ptr<FeedData>()> makeFeed,
                PageFrame::Tab tab)
{
    return [=](const QString &folder) -> std::unique_ptr<QWidget> {
        auto window = std::make_unique<MainWindow>(
            Folders::at(folder + QStringLiteral("/data"), folder + QStringLiteral("/settings")));
        auto root = std::make_unique<ProjectNode>(QStringLiteral("サイト"), ProjectNode::RootKind);
        ProjectNode *feed = root->appendChild(
            std::make_unique<ProjectNode>(feedName, ProjectNode::FeedKind, makeFeed()));
        window->project().replaceTree(std::move(root));
        window->selectNode(feed);
        window->pages().tabs()->setCurrentIndex(tab);
        // The grid opens on the last item; the picture shows them all.
        window->feedPages().itemsPage()->grid()->scrollToTop();
        window->resize(1100, 760);
        return window;
    };
}
