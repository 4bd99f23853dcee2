// Showing, storing and pasting the rows of the items tab.
//
//   cmake --build build --target bench_gui_itemspage
//   QT_QPA_PLATFORM=offscreen build/bench/bench_itemspage
//
// Shows a feed of 100 items (Japanese titles, bodies of a few hundred
// characters) on the items page, stores it back, and pastes 100 copied rows
// into an empty grid. "model" lines time the item table alone, "page" lines
// the whole page with its grid and content editor on the offscreen screen,
// and "+ paint" lines add the repaint that follows on the offscreen screen.
// Times are wall time, the best of 20 runs; goals: show + store 5 ms, paste
// of 100 rows 20 ms.

#include "app/editing/itemgridview.h"
#include "app/editing/itemspage.h"
#include "core/editing/gridclipboard.h"
#include "core/editing/gridrowcommands.h"
#include "core/editing/itemtablemodel.h"
#include "scripteduserinterface.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>

namespace {

constexpr int Runs = 20;

QList<FeedItem> feedItems()
{
    QList<FeedItem> items;
    for (int i = 0; i < 100; ++i) {
        FeedItem item;
        item.title = QStringLiteral("新商品のお知らせ その%1").arg(i);
        item.date = QStringLiteral("2026-12-%1 10:00:00").arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
        item.url = QStringLiteral("http://example.jp/shop/%1.html").arg(i);
        item.subject = QStringLiteral("お知らせ");
        item.creator = QStringLiteral("山田 太郎");
        item.desc = QStringLiteral("<p>本日、<b>新しい商品</b>を追加しました。</p>\r\n<ul>\r\n"
                                   "<li>価格: 1,980円 &amp; 送料無料</li>\r\n</ul>\r\n")
                        .repeated(3);
        items << item;
    }
    return items;
}

void report(const char *name, const std::function<void()> &run)
{
    double best = 1e9;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("%-28s %8.3f ms\n", name, best);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QList<FeedItem> items = feedItems();
    ScriptedUserInterface ui;

    ItemTableModel model;
    report("model show + store", [&] {
        model.load(items);
        model.store();
    });
    model.load(items);
    const QString rows = RowsToClipboardText(model.gridRows(0, 99), {0, 1, 2, 3, 4});
    report("model paste 100 rows", [&] {
        model.clear();
        PasteGridRows(model, ui, 0, rows, {0, 1, 2, 3, 4});
    });

    ItemsPage page(ui);
    page.resize(1000, 700);
    page.show();
    page.activateWindow();
    page.grid()->setFocus();
    QApplication::processEvents();
    report("page show + store", [&] {
        page.showItems(items);
        page.storeItems();
    });
    report("page show + store + paint", [&] {
        page.showItems(items);
        page.storeItems();
        QApplication::processEvents();
    });
    QGuiApplication::clipboard()->setText(rows);
    report("page paste 100 rows", [&] {
        page.showItems({});
        page.gridCommand(GridCommand::Paste);
    });
    report("page paste 100 rows + paint", [&] {
        page.showItems({});
        page.gridCommand(GridCommand::Paste);
        QApplication::processEvents();
    });
    if (page.storeItems().size() != 100) {
        std::fprintf(stderr, "the page paste did not paste the rows\n");
        return 1;
    }
    return 0;
}
