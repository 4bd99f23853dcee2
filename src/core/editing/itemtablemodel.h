#pragma once

#include "core/clock.h"
#include "core/editing/gridcolumns.h"
#include "core/model/channelsettings.h"

#include <QAbstractTableModel>
#include <QList>
#include <functional>

// The items of the shown feed as the grid edits them: 100 rows of five
// logical columns, each with its description. Rows are counted from 0 here;
// the user sees them counted from 1. Every change made through this model
// (typing, clearing a cell, a description, insert, delete, move, paste)
// emits edited(); load() and clear() do not.
class ItemTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ItemTableModel(QObject *parent = nullptr);

    // Automatic fill reads the channel values as the channel page shows
    // them at that moment, and the time from the clock.
    void setChannelValues(std::function<ChannelSettings()> values);
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // Shows a feed's items. Items beyond the 100th are kept aside, unshown,
    // and handed back unchanged by store().
    void load(const QList<FeedItem> &items);
    // The rows up to the last used one (cells or description), empty rows
    // between them included, then the items kept aside.
    QList<FeedItem> store() const;
    // The same with a text being typed into a cell taken as written there,
    // filling in the row as writing it would; the model stays as it is.
    QList<FeedItem> storeWithTyped(const QModelIndex &cell, const QString &text) const;
    void clear();
    int hiddenItemCount() const { return int(m_hidden.size()); }

    const GridRow &gridRow(int row) const { return m_rows.at(row); }
    QList<GridRow> gridRows(int first, int last) const;
    bool setDescription(int row, const QString &text);
    // The row's media file and podcast values (GridRow::extras); false
    // when they were so already.
    bool setExtras(int row, const FeedItem &extras);
    // Takes in the identifiers a save gave to the items stored from the grid
    // (stored, in store() order), so that the next store keeps them. Items
    // that changed since are left alone. No edit.
    void adoptGuids(const QList<FeedItem> &stored);
    // The distinct trimmed texts of a column in row order; one empty entry
    // when the column is empty.
    QStringList pickList(int column) const;

    // The last count rows are empty, so count rows can be inserted without
    // pushing anything out of the grid.
    bool hasRoomFor(int count) const;
    // Inserts count empty rows at first; false (and nothing changes) when
    // first is outside the grid or there is no room.
    bool insertEmptyRows(int first, int count);
    // Writes rows over the rows from first on.
    void putRows(int first, const QList<GridRow> &rows);
    bool deleteRows(int first, int last);
    bool moveRowDown(int row);
    bool moveRowUp(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Setting a different text is an edit; a non-empty text fills the
    // row's empty date, link and creator when the channel asks for it.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void edited();
    // A date was set that the feed cannot carry: the warning with its row.
    void dateUnreadable(const QString &warning);

private:
    void rowsChanged(int first, int last);
    void autoFill(GridCells &cells, int editedColumn) const;
    // Puts the text into the cells; false when it was there already.
    bool writeCell(GridCells &cells, int column, const QString &text) const;
    static QList<FeedItem> itemsOf(const QList<GridRow> &rows, const QList<FeedItem> &hidden);

    QList<GridRow> m_rows;
    QList<FeedItem> m_hidden;
    std::function<ChannelSettings()> m_channelValues;
    Clock m_clock;
};
