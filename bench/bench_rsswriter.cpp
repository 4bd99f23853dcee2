// Writing the RSS file bytes of many feeds.
//
//   cmake --build build --target bench_rsswriter && build/bench/bench_rsswriter
//
// Builds 2,000 feeds of 100 items in memory (Japanese titles, HTML
// descriptions of a few hundred characters, half RSS 1.0 and half RSS 2.0,
// a third with bodies) and writes the bytes that saving would write for the
// first 10, 100 and 2,000 of them. Prints items per second and the cost per
// item for each count; the cost per item should stay the same as the number
// of feeds grows. Times are the thread's CPU time, the best of five runs, so
// that other work on the machine disturbs them little.

#include "core/feed/rssfile.h"

#include <QList>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int FeedCount = 2000;
constexpr int ItemsPerFeed = 100;
constexpr int Runs = 5;

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

QString description(int feed, int item)
{
    return QStringLiteral("<p>本日、<b>新しい商品</b>を追加しました。詳しくは"
                          "<a href=\"http://example.jp/shop/%1/%2.html\">商品ページ</a>を"
                          "ご覧ください。</p>\r\n<ul>\r\n<li>価格: 1,980円 &amp; 送料無料</li>\r\n"
                          "<li>発売日: 2026年12月%3日</li>\r\n<li>在庫: あり</li>\r\n</ul>\r\n"
                          "<p>お問い合わせは<a href=\"mailto:info@example.jp\">info@example.jp"
                          "</a>まで。The quick brown fox jumps over the lazy dog.</p>")
        .arg(feed)
        .arg(item)
        .arg(item % 28 + 1);
}

FeedData makeFeed(int index)
{
    FeedData feed;
    ChannelSettings &s = feed.settings;
    s.filename = QStringLiteral("feed%1").arg(index);
    s.root = QStringLiteral("http://example.jp/site%1/").arg(index);
    s.title = QStringLiteral("サイト%1の更新情報").arg(index);
    s.description = QStringLiteral("新商品とお知らせを毎日お届けします。");
    s.creator = QStringLiteral("山田 太郎");
    s.logosrc = QStringLiteral("http://example.jp/site%1/logo.png").arg(index);
    s.logotitle = QStringLiteral("ロゴ");
    s.style = QStringLiteral("rss.xsl");
    s.ver = RssVersion(index % 2);
    s.rssline = ItemsPerFeed;
    s.content = index % 3 == 0;
    s.html = true;
    s.htmllabel = true;
    for (int i = 0; i < ItemsPerFeed; ++i) {
        const QString date = QStringLiteral("2026-%1-%2 %3:%4:00")
                                 .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(i % 24, 2, 10, QLatin1Char('0'))
                                 .arg(i % 60, 2, 10, QLatin1Char('0'));
        const QString url =
            i % 2 ? QStringLiteral("http://example.jp/site%1/item%2.html?a=1&b=2").arg(index).arg(i)
                  : QString();
        feed.addItem(FeedItem{QStringLiteral("【新着】冬の新商品「ホットココア」%1号").arg(i), date,
                              url, description(index, i), QStringLiteral("お知らせ"),
                              QStringLiteral("鈴木")});
    }
    return feed;
}

} // namespace

int main()
{
    QList<FeedData> feeds;
    for (int i = 0; i < FeedCount; ++i)
        feeds.append(makeFeed(i));
    const Clock clock = Clock::fixed(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));

    std::printf("%8s %8s %12s %14s %12s\n", "feeds", "rounds", "items", "items/s", "us/item");
    for (const int count : {10, 100, FeedCount}) {
        // Small counts are repeated so that every measurement covers about
        // as many items as the largest one.
        const int rounds = FeedCount / count;
        qint64 bytes = 0;
        double seconds = 1e9;
        for (int run = 0; run < Runs; ++run) {
            const double start = threadSeconds();
            for (int round = 0; round < rounds; ++round) {
                for (int i = 0; i < count; ++i)
                    bytes += RssFileBytes(feeds.at(i), QStringLiteral("/srv/out/feed.rdf"), clock)
                                 .bytes.size();
            }
            seconds = std::min(seconds, threadSeconds() - start);
        }
        const double items = double(rounds) * count * ItemsPerFeed;
        std::printf("%8d %8d %12.0f %14.0f %12.3f   (%lld MB written)\n", count, rounds, items,
                    items / seconds, seconds * 1e6 / items, bytes / Runs / 1000000);
    }
    return 0;
}
