// The feed tabs of the main window with a filled feed: the channel
// settings, the item grid and the HTML template.
#include "shot.h"

#include "editing/feedpagewiring.h"
#include "editing/itemspage.h"
#include "editing/xstringgrid.h"
#include "editorform.h"
#include "project/folders.h"
#include "project/pageframe.h"
#include "project/project.h"
#include "showcasefeed.h"

#include <QTabWidget>
#include <QWidget>

namespace {

std::function<std::unique_ptr<QWidget>(const QString &)> windowOnTab(PageFrame::Tab tab)
{
    return [tab](const QString &folder) -> std::unique_ptr<QWidget> {
        auto window = std::make_unique<TEditorForm>(
            Folders::at(folder + QStringLiteral("/data"), folder + QStringLiteral("/settings")));
        auto root = std::make_unique<ProjectNode>(QStringLiteral("サイト"), ProjectNode::RootKind);
        ProjectNode *feed = root->appendChild(std::make_unique<ProjectNode>(
            QStringLiteral("新着情報"), ProjectNode::FeedKind, ShowcaseFeed(3)));
        window->project().replaceTree(std::move(root));
        window->selectNode(feed);
        window->pages().tabs()->setCurrentIndex(tab);
        // The grid opens on the last item; the picture shows them all.
        window->feedPages().itemsPage()->grid()->scrollToTop();
        window->resize(1100, 760);
        return window;
    };
}

const ShotRegistration channel({QStringLiteral("channeltab"), windowOnTab(PageFrame::ChannelTab)});
const ShotRegistration items({QStringLiteral("itemstab"), windowOnTab(PageFrame::ItemTab)});
const ShotRegistration html({QStringLiteral("htmltab"), windowOnTab(PageFrame::HtmlTab)});

} // namespace
