#include "examplefeed.h"

FeedData exampleFeed()
{
    FeedData feed;
    ChannelSettings &settings = feed.settings;
    settings.filename = QStringLiteral("news");
    settings.root = QStringLiteral("http://example.jp/site/");
    settings.title = QStringLiteral("サイトの更新情報");
    settings.description = QStringLiteral("新着のお知らせ");
    settings.creator = QStringLiteral("山田");
    settings.html = true;
    settings.htmllabel = true;
    feed.addItem(FeedItem{QStringLiteral("秋のセール"), QStringLiteral("2005-11-20 09:00:00"),
                          QStringLiteral("http://example.jp/site/sale.html"),
                          QStringLiteral("<p>セールのお知らせ</p>"), QStringLiteral("お知らせ"),
                          QString()});
    feed.addItem(FeedItem{QStringLiteral("新商品"), QStringLiteral("2005-12-01 10:00:00"),
                          QString(), QStringLiteral("新しい<b>商品</b>を追加しました"), QString(),
                          QString()});
    return feed;
}

FeedData examplePodcastFeed()
{
    FeedData feed = exampleFeed();
    ChannelSettings &s = feed.settings;
    s.podcast = true;
    s.itunesimage = QStringLiteral("http://example.jp/site/cover.jpg");
    s.itunescategory = QStringLiteral("Arts/Books");
    s.itunesauthor = QStringLiteral("山田");
    s.itunesowner = QStringLiteral("山田 太郎");
    s.itunesemail = QStringLiteral("yamada@example.jp");
    s.itunestype = QStringLiteral("episodic");
    s.selflink = true;
    s.itemguid = true;
    const auto media = [](FeedItem &item, const char *file, const char *length, const char *time,
                          const char *episode) {
        item.enclosure = QStringLiteral("http://example.jp/site/media/") + QLatin1String(file);
        item.enclosurelength = QLatin1String(length);
        item.enclosuretype = QStringLiteral("audio/mpeg");
        item.itunesduration = QLatin1String(time);
        item.itunesepisode = QLatin1String(episode);
    };
    media(feed.items[0], "sale.mp3", "1048576", "12:34", "1");
    media(feed.items[1], "new.mp3", "2097152", "1:02:03", "2");
    feed.items[1].itunesexplicit = QStringLiteral("false");
    FeedItem again{QStringLiteral("再放送"),
                   QStringLiteral("2005-12-02 08:30:00"),
                   QStringLiteral("http://example.jp/site/sale.html"),
                   QString(),
                   QString(),
                   QString()};
    media(again, "sale.mp3", "1048576", "12:34", "3");
    feed.addItem(again);
    return feed;
}

Clock exampleClock()
{
    return Clock::fixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));
}
