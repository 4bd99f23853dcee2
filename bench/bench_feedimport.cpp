// Imports a feed of 1,000 items and about 2 MB, made here, and times it.
//
//   build/bench/bench_feedimport [runs]
//
// Prints the document's size and the best and median wall time of the runs
// (20 by default) of ReadFeedDocument: decoding, parsing, taking the fields,
// reading the dates and keeping the newest 100 items. The goal: 50 ms.
#include "core/import/feedreader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// RSS 2.0 in UTF-8 with Japanese text, HTML bodies in content:encoded and
// RFC 822 dates, newest first, as blog services write them.
QByteArray feedOf(int items)
{
    QByteArray text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<rss version=\"2.0\" xmlns:content=\"http://purl.org/rss/1.0/modules/content/\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><channel>\n"
        "<title>ベンチマークのフィード</title><link>http://example.jp/</link>"
        "<description>説明</description><language>ja</language>\n";
    const QByteArray paragraph =
        QStringLiteral("<p>本文の段落です。リンク<a href=\"http://example.jp/\">こちら</a>。</p>\n")
            .toUtf8()
            .repeated(20);
    const QDateTime newest(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC);
    for (int i = 0; i < items; ++i) {
        const QByteArray date =
            QLocale::c()
                .toString(newest.addSecs(-3600 * i), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss"))
                .toLatin1() +
            " +0000";
        text += "<item><title>記事 " + QByteArray::number(i) + "</title><link>http://example.jp/" +
                QByteArray::number(i) + ".html</link><description>" +
                QStringLiteral("短い説明 &amp; 要約").toUtf8() +
                "</description><content:encoded><![CDATA[" + paragraph +
                "]]></content:encoded><pubDate>" + date +
                "</pubDate><category>日記</category><dc:creator>山田</dc:creator>"
                "<guid>http://example.jp/" +
                QByteArray::number(i) + ".html</guid></item>\n";
    }
    return text + "</channel></rss>\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    const QByteArray document = feedOf(1000);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const ImportedFeed imported = ReadFeedDocument(document);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!imported.feed || imported.feed->items.size() != FeedData::MaxItems) {
            std::fprintf(stderr, "import failed: %s\n", qPrintable(imported.error));
            return 1;
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("feed %.2f MB, 1000 items: best %.1f ms, median %.1f ms (%d runs; goal 50 ms)\n",
                double(document.size()) / 1e6, times.front(), times[times.size() / 2], runs);
    return 0;
}
