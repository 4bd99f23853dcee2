// A podcast feed: the podcast section of the channel tab and the media
// panel beside an episode's body on the items tab.
#include "shot.h"

#include "showcasefeed.h"

#include <QScrollArea>
#include <QTimer>
#include <QWidget>

namespace {

std::unique_ptr<FeedData> podcastFeed()
{
    std::unique_ptr<FeedData> feed = ShowcaseFeed(3);
    ChannelSettings &s = feed->settings;
    s.title = QStringLiteral("週刊サイト通信");
    s.root = QStringLiteral("https://www.example.jp/cast/");
    s.ver = RssVersion::Rss2;
    s.podcast = true;
    s.selflink = true;
    s.itemguid = true;
    s.itunesimage = QStringLiteral("https://www.example.jp/cast/cover.jpg");
    s.itunescategory = QStringLiteral("News/Tech News");
    s.itunesauthor = QStringLiteral("広報室");
    s.itunesowner = QStringLiteral("山田 花子");
    s.itunesemail = QStringLiteral("cast@example.jp");
    s.itunestype = QStringLiteral("episodic");
    for (qsizetype i = 0; i < feed->items.size(); ++i) {
        FeedItem &item = feed->items[i];
        item.enclosure = QStringLiteral("https://www.example.jp/cast/ep%1.mp3").arg(i + 1);
        item.enclosurelength = QString::number(18'000'000 + i * 734'511);
        item.enclosuretype = QStringLiteral("audio/mpeg");
        item.itunesduration = QStringLiteral("00:2%1:14").arg(i);
        item.itunesepisode = QString::number(i + 1);
    }
    return feed;
}

// The channel tab scrolled, once laid out, to the podcast section.
std::unique_ptr<QWidget> channelTab(const QString &folder)
{
    std::unique_ptr<QWidget> window = WindowOnFeedTab(QStringLiteral("ポッドキャスト"), podcastFeed,
                                                      PageFrame::ChannelTab)(folder);
    QWidget *section = window->findChild<QWidget *>(QStringLiteral("GB_Podcast_Sub"));
    QWidget *outer = section;
    while (outer && !qobject_cast<QScrollArea *>(outer))
        outer = outer->parentWidget();
    if (auto *scroll = qobject_cast<QScrollArea *>(outer))
        QTimer::singleShot(100, scroll,
                           [scroll, section] { scroll->ensureWidgetVisible(section, 0, 0); });
    return window;
}

const ShotRegistration podcast({QStringLiteral("podcastpanel"), channelTab});
const ShotRegistration
    media({QStringLiteral("mediapanel"),
           WindowOnFeedTab(QStringLiteral("ポッドキャスト"), podcastFeed, PageFrame::ItemTab)});

} // namespace
