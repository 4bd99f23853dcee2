// The preview window showing a feed in the real web engine, and the
// " 確認 " tab of the main window with the feed's RSS text.
#include "shot.h"

#include "app/mainwindow.h"
#include "app/preview/browsermodule.h"
#include "app/project/pageframe.h"
#include "core/preview/previewcontent.h"
#include "core/project/project.h"
#include "core/settings/folders.h"

#include <QFile>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

namespace {

std::unique_ptr<FeedData> newsFeed()
{
    auto feed = std::make_unique<FeedData>();
    ChannelSettings &s = feed->settings;
    s.ver = RssVersion::Rss2;
    s.title = QStringLiteral("新着情報");
    s.link = QStringLiteral("https://example.jp/");
    s.description = QStringLiteral("サイトの新着情報をお届けします");
    s.root = QStringLiteral("https://example.jp/");
    s.filename = QStringLiteral("news");
    feed->items = {
        {QStringLiteral("秋のセールを開催します"), QStringLiteral("2026-11-20 10:00:00"),
         QStringLiteral("https://example.jp/sale.html"),
         QStringLiteral("全商品が２割引になります。"), QString(), QStringLiteral("店長")},
        {QStringLiteral("新商品のお知らせ"), QStringLiteral("2026-12-01 09:30:00"),
         QStringLiteral("https://example.jp/new.html"),
         QStringLiteral("冬の新商品が入荷しました。"), QString(), QStringLiteral("店長")},
    };
    return feed;
}

std::unique_ptr<QWidget> previewWindow(const QString &folder)
{
    const QString path = folder + QStringLiteral("/brisklettest.xml");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(FeedRssText(*newsFeed(), QString(), QString(), Clock{}).toUtf8());
    file.close();
    auto form = std::make_unique<PreviewWindow>(BrowserModuleFactory(), QStringList{}, nullptr);
    form->setOwnPaths([folder] { return QStringList{folder}; });
    form->resize(714, 420);
    form->openPreview(QUrl::fromLocalFile(path).toString(), false);
    QTest::qWaitFor([&] { return form->windowTitle().endsWith(QStringLiteral("]")); }, 30000);
    QTest::qWait(1500); // the page paints after its title
    return form;
}

std::unique_ptr<QWidget> sourceView(const QString &folder)
{
    auto window = std::make_unique<MainWindow>(
        Folders::at(folder + QStringLiteral("/data"), folder + QStringLiteral("/settings")));
    auto root = std::make_unique<ProjectNode>(QStringLiteral("サイト"), ProjectNode::RootKind);
    ProjectNode *feed = root->appendChild(std::make_unique<ProjectNode>(
        QStringLiteral("新着情報"), ProjectNode::FeedKind, newsFeed()));
    window->project().replaceTree(std::move(root));
    window->selectNode(feed);
    window->pages().tabs()->setCurrentIndex(PageFrame::ViewTab);
    window->resize(900, 560);
    return window;
}

const ShotRegistration preview({QStringLiteral("preview"), previewWindow});
const ShotRegistration source({QStringLiteral("sourceview"), sourceView});

} // namespace
