#include "core/editing/gridcolumns.h"

#include "core/settings/settings.h"

namespace {

std::array<GridColumnLook, GridColumnCount> makeLooks()
{
    const Settings::Columns widths =
        Settings::setUpColumnWidths(Settings::defaultColumnPositions());
    return {{{QStringLiteral("タイトル (必須 100バイト以内)"), widths[0], Qt::AlignLeft},
             {QStringLiteral("日付 (任意)"), widths[1], Qt::AlignHCenter},
             {QStringLiteral("リンク (必須 http://から入力)"), widths[2], Qt::AlignLeft},
             {QStringLiteral("カテゴリ (任意)"), widths[3], Qt::AlignLeft},
             {QStringLiteral("作成者 (任意)"), widths[4], Qt::AlignLeft}}};
}

} // namespace

const GridColumnLook &GridColumnLookOf(int column)
{
    static const std::array<GridColumnLook, GridColumnCount> looks = makeLooks();
    return looks[size_t(column)];
}

QString GridTooltip()
{
    return QStringLiteral("○タイトルにはヘッドラインのタイトルを入力\r\n"
                          "○日付は任意ですが記入されることを推奨します\r\n"
                          "○リンクはヘッドラインの本文があるアドレス\r\n"
                          "○概要/本文は任意です、本文の要約などを記入します\r\n"
                          "\r\n"
                          "項目の記入は昇順(古いものから)に行ってください\r\n"
                          "RSSに保存するときには自動的に降順に変換します");
}

GridCells CellsOf(const FeedItem &item)
{
    return {item.title, item.date, item.url, item.subject, item.creator};
}

FeedItem ItemOf(const GridCells &cells, const QString &desc, const FeedItem &extras)
{
    FeedItem item = extras;
    item.title = cells[TitleColumn];
    item.date = cells[DateColumn];
    item.url = cells[LinkColumn];
    item.subject = cells[CategoryColumn];
    item.creator = cells[CreatorColumn];
    item.desc = desc;
    return item;
}

bool GridRow::hasCellText() const
{
    for (const QString &cell : cells) {
        if (!cell.isEmpty())
            return true;
    }
    return false;
}

std::array<int, GridColumnCount> LogicalColumnsInDisplayOrder(const ColumnPositions &positions)
{
    std::array<int, GridColumnCount> columns{};
    for (int column = 0; column < GridColumnCount; ++column)
        columns[size_t(positions[size_t(column)])] = column;
    return columns;
}
