// Expands a page of 100 items whose loop body is about 2 KB, then the same
// page with a body ten times as long, and prints pages per second for each.
// Expansion is linear in template size, so the second page should take
// about ten times as long as the first, not a hundred times.
//
//   cmake --build build --target bench_template && build/bench/bench_template

// The tests' scripted user interface: it records messages, answers nothing.
#include "../tests/common/scripteduserinterface.h"
#include "core/html/templateengine.h"

#include <QElapsedTimer>
#include <QTextStream>

namespace {

// About 2 KB of markup with the item variables a real page uses.
QString loopBody()
{
    const QString block = QStringLiteral(
        "<div class=\"entry\" id=\"{item_guid}\">\r\n"
        "  {if_year_change format=\"<h2 class=\\\"year\\\">%s年</h2>\"}\r\n"
        "  {if_month_change format=\"<h3 class=\\\"month\\\">%s月</h3>\"}\r\n"
        "  <h4><a href=\"{item_link}\">{item_title format=\"■ %s\"}</a></h4>\r\n"
        "  <p class=\"date\">{item_date format=\"yyyy年mm月dd日 hh:nn\"}</p>\r\n"
        "  <p class=\"summary\">{item_desc}</p>\r\n"
        "  <div class=\"body\">{item_content}</div>\r\n"
        "  <p class=\"meta\">カテゴリ: {item_subject} / 作成者: {item_creator}</p>\r\n"
        "</div>\r\n");
    QString body;
    while (body.size() < 2048)
        body += block;
    return body;
}

QList<FeedItem> items()
{
    QList<FeedItem> list;
    for (int i = 0; i < 100; ++i) {
        FeedItem item;
        item.title = QStringLiteral("更新のお知らせ その%1").arg(i);
        item.date = QStringLiteral("2005-%1-%2 09:05:00")
                        .arg(1 + i / 28, 2, 10, QLatin1Char('0'))
                        .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        item.url = QStringLiteral("http://example.jp/news/%1.html").arg(i);
        item.desc = QStringLiteral(
            "<p>本日、サイトを更新しました。<b>新しい写真</b>を追加しています。</p>");
        item.subject = QStringLiteral("日記");
        item.creator = QStringLiteral("山田");
        list << item;
    }
    return list;
}

struct Measurement
{
    double pagesPerSecond;
    double secondsPerPage;
    qsizetype pageSize;
};

Measurement measure(const QString &templateText, const TemplateContext &context,
                    const QList<FeedItem> &feedItems)
{
    QElapsedTimer timer;
    timer.start();
    int pages = 0;
    qsizetype pageSize = 0;
    while (pages < 3 || timer.elapsed() < 2000) {
        pageSize = ProcessTemplate(templateText, context, feedItems).size();
        ++pages;
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    return {pages / seconds, seconds / pages, pageSize};
}

} // namespace

int main()
{
    QTextStream out(stdout);
    ChannelSettings settings;
    settings.title = QStringLiteral("お知らせ");
    settings.root = QStringLiteral("http://example.jp/");
    settings.filename = QStringLiteral("news");
    ScriptedUserInterface ui;
    const TemplateContext context{settings, QDateTime::currentDateTime(), ui};
    const QList<FeedItem> feedItems = items();

    const QString body = loopBody();
    const QString head = QStringLiteral("<html><head><meta charset=\"utf-8\"><title>"
                                        "{channel_title}</title></head><body>\r\n");
    const QString tail = QStringLiteral("<p>{common_generator}</p></body></html>\r\n");
    const auto page = [&](int repeat) {
        return head + QStringLiteral("{item_loop_start}") + body.repeated(repeat) +
               QStringLiteral("{item_loop_end}") + tail;
    };

    const Measurement small = measure(page(1), context, feedItems);
    const Measurement large = measure(page(10), context, feedItems);
    out << "100 items, body " << body.size() << " characters: " << Qt::fixed
        << qSetRealNumberPrecision(1) << small.pagesPerSecond << " pages/s ("
        << small.secondsPerPage * 1000 << " ms, page " << small.pageSize << " characters)\n";
    out << "100 items, body " << body.size() * 10 << " characters: " << large.pagesPerSecond
        << " pages/s (" << large.secondsPerPage * 1000 << " ms, page " << large.pageSize
        << " characters)\n";
    out << "time ratio (10x body): " << qSetRealNumberPrecision(2)
        << large.secondsPerPage / small.secondsPerPage << "\n";
    return 0;
}
