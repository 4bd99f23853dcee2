#pragma once

#include "core/model/feeditem.h"

#include <QString>
#include <Qt>
#include <array>

// The five logical columns of the item grid. The user may drag them into
// another display order; every rule that needs a particular field goes
// through the logical column, the clipboard through the display order.
enum GridColumn
{
    TitleColumn,
    DateColumn,
    LinkColumn,
    CategoryColumn,
    CreatorColumn
};

constexpr int GridColumnCount = 5;
constexpr int GridRowCount = 100;

// Display position (0 to 4) of each logical column.
using ColumnPositions = std::array<int, GridColumnCount>;

struct GridColumnLook
{
    QString caption;
    int width;
    Qt::Alignment alignment;
};

const GridColumnLook &GridColumnLookOf(int column);
// The hint shown over the grid; lines end in CR LF.
QString GridTooltip();

// The cells of a grid row, in logical column order.
using GridCells = std::array<QString, GridColumnCount>;

GridCells CellsOf(const FeedItem &item);
// The item of a row: the cells and description over the values the grid
// does not show (media, podcast values, guid), which come from extras.
FeedItem ItemOf(const GridCells &cells, const QString &desc, const FeedItem &extras = {});

// One row of the grid: its cells and the description kept beside them.
struct GridRow
{
    GridCells cells;
    QString desc;
    // The item's values beyond the cells and the description; its title,
    // date, url, subject, creator and desc are not used.
    FeedItem extras{};

    bool hasCellText() const;
    // A row with only a description or only a media file is used too.
    bool isEmpty() const { return desc.isEmpty() && extras.enclosure.isEmpty() && !hasCellText(); }
    bool operator==(const GridRow &) const = default;
};

// The logical column standing at each display position.
std::array<int, GridColumnCount> LogicalColumnsInDisplayOrder(const ColumnPositions &positions);
