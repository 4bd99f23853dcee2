#include "examplefeed.h"

TEditList exampleFeed()
{
    TEditList feed;
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

Clock exampleClock()
{
    return Clock::fixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));
}
