// The feed tabs of the main window with a filled feed: the channel
// settings, the item grid and the HTML template.
#include "shot.h"

#include "showcasefeed.h"

namespace {

std::function<std::unique_ptr<QWidget>(const QString &)> windowOnTab(PageFrame::Tab tab)
{
    return WindowOnFeedTab(
        QStringLiteral("新着情報"), [] { return ShowcaseFeed(3); }, tab);
}

const ShotRegistration channel({QStringLiteral("channeltab"), windowOnTab(PageFrame::ChannelTab)});
const ShotRegistration items({QStringLiteral("itemstab"), windowOnTab(PageFrame::ItemTab)});
const ShotRegistration html({QStringLiteral("htmltab"), windowOnTab(PageFrame::HtmlTab)});

} // namespace
