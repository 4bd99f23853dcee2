#include "core/editing/itemtablemodel.h"

#include "core/check/itemcheck.h"
#include "core/feed/feedaddresses.h"
#include "core/text/textops.h"

#include <algorithm>
#include <utility>

ItemTableModel::ItemTableModel(QObject *parent)
    : QAbstractTableModel(parent), m_rows(GridRowCount),
      m_channelValues([] { return ChannelSettings::allEmpty(); })
{
}

void ItemTableModel::setChannelValues(std::function<ChannelSettings()> values)
{
    m_channelValues = std::move(values);
}

void ItemTableModel::load(const QList<FeedItem> &items)
{
    beginResetModel();
    const qsizetype shown = std::min<qsizetype>(items.size(), GridRowCount);
    for (qsizetype i = 0; i < GridRowCount; ++i)
        m_rows[i] =
            i < shown ? GridRow{CellsOf(items.at(i)), items.at(i).desc, items.at(i)} : GridRow{};
    m_hidden = items.mid(shown);
    endResetModel();
}

QList<FeedItem> ItemTableModel::itemsOf(const QList<GridRow> &rows, const QList<FeedItem> &hidden)
{
    // Items kept aside follow the grid, so every grid row lies before them.
    int last = hidden.isEmpty() ? -1 : GridRowCount - 1;
    for (int row = GridRowCount - 1; row > last; --row) {
        if (!rows.at(row).isEmpty()) {
            last = row;
            break;
        }
    }
    QList<FeedItem> items;
    items.reserve(last + 1 + hidden.size());
    for (int row = 0; row <= last; ++row)
        items.append(ItemOf(rows.at(row).cells, rows.at(row).desc, rows.at(row).extras));
    items.append(hidden);
    return items;
}

QList<FeedItem> ItemTableModel::store() const
{
    return itemsOf(m_rows, m_hidden);
}

QList<FeedItem> ItemTableModel::storeWithTyped(const QModelIndex &cell, const QString &text) const
{
    if (!cell.isValid())
        return store();
    QList<GridRow> rows = m_rows;
    writeCell(rows[cell.row()].cells, cell.column(), text);
    return itemsOf(rows, m_hidden);
}

void ItemTableModel::clear()
{
    load({});
}

QList<GridRow> ItemTableModel::gridRows(int first, int last) const
{
    first = std::max(first, 0);
    last = std::min(last, GridRowCount - 1);
    return first <= last ? m_rows.mid(first, last - first + 1) : QList<GridRow>();
}

bool ItemTableModel::setExtras(int row, const FeedItem &extras)
{
    if (row < 0 || row >= GridRowCount || m_rows.at(row).extras == extras)
        return false;
    m_rows[row].extras = extras;
    Q_EMIT edited();
    return true;
}

void ItemTableModel::adoptGuids(const QList<FeedItem> &stored)
{
    const QList<FeedItem> mine = store();
    if (mine.size() != stored.size())
        return;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const QString &guid = stored.at(i).guid;
        FeedItem adopted = mine.at(i);
        if (guid.isEmpty() || !adopted.guid.isEmpty())
            continue;
        adopted.guid = guid;
        if (adopted != stored.at(i))
            continue;
        // store() lists every grid row before the hidden items.
        if (i < GridRowCount)
            m_rows[i].extras.guid = guid;
        else
            m_hidden[i - GridRowCount].guid = guid;
    }
}

bool ItemTableModel::setDescription(int row, const QString &text)
{
    if (row < 0 || row >= GridRowCount || m_rows.at(row).desc == text)
        return false;
    m_rows[row].desc = text;
    Q_EMIT edited();
    return true;
}

QStringList ItemTableModel::pickList(int column) const
{
    QStringList list;
    for (const GridRow &row : m_rows) {
        const QString text = TrimWide(row.cells[size_t(column)]);
        if (!text.isEmpty() && !list.contains(text))
            list.append(text);
    }
    if (list.isEmpty())
        list.append(QString());
    return list;
}

bool ItemTableModel::hasRoomFor(int count) const
{
    if (count < 0 || count > GridRowCount)
        return false;
    for (int row = GridRowCount - count; row < GridRowCount; ++row) {
        if (!m_rows.at(row).isEmpty())
            return false;
    }
    return true;
}

bool ItemTableModel::insertEmptyRows(int first, int count)
{
    if (first < 0 || first >= GridRowCount || count < 1 || !hasRoomFor(count))
        return false;
    m_rows.remove(GridRowCount - count, count);
    m_rows.insert(first, count, GridRow{});
    rowsChanged(first, GridRowCount - 1);
    return true;
}

void ItemTableModel::putRows(int first, const QList<GridRow> &rows)
{
    const int last = std::min(first + int(rows.size()), GridRowCount) - 1;
    if (first < 0 || last < first)
        return;
    for (int row = first; row <= last; ++row)
        m_rows[row] = rows.at(row - first);
    rowsChanged(first, last);
}

bool ItemTableModel::deleteRows(int first, int last)
{
    if (first < 0 || last < first || first >= GridRowCount)
        return false;
    last = std::min(last, GridRowCount - 1);
    const int count = last - first + 1;
    m_rows.remove(first, count);
    m_rows.insert(m_rows.size(), count, GridRow{});
    rowsChanged(first, GridRowCount - 1);
    return true;
}

bool ItemTableModel::moveRowDown(int row)
{
    if (row < 0 || row >= GridRowCount - 1)
        return false;
    m_rows.swapItemsAt(row, row + 1);
    rowsChanged(row, row + 1);
    return true;
}

bool ItemTableModel::moveRowUp(int row)
{
    return row >= 1 && moveRowDown(row - 1);
}

void ItemTableModel::rowsChanged(int first, int last)
{
    Q_EMIT dataChanged(index(first, 0), index(last, GridColumnCount - 1));
    Q_EMIT edited();
}

int ItemTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : GridRowCount;
}

int ItemTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : GridColumnCount;
}

QVariant ItemTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_rows.at(index.row()).cells[size_t(index.column())];
    case Qt::TextAlignmentRole:
        return (GridColumnLookOf(index.column()).alignment | Qt::AlignVCenter).toInt();
    default:
        return {};
    }
}

bool ItemTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    if (!writeCell(m_rows[index.row()].cells, index.column(), text))
        return true;
    rowsChanged(index.row(), index.row());
    if (const QString warning = index.column() == DateColumn ? ItemDateWarning(text) : QString();
        !warning.isEmpty())
        Q_EMIT dateUnreadable(
            FindingText({FeedFinding::Severity::Warning, 0, warning, index.row() + 1}));
    return true;
}

bool ItemTableModel::writeCell(GridCells &cells, int column, const QString &text) const
{
    if (cells[size_t(column)] == text)
        return false;
    cells[size_t(column)] = text;
    if (!text.isEmpty())
        autoFill(cells, column);
    return true;
}

void ItemTableModel::autoFill(GridCells &cells, int editedColumn) const
{
    const ChannelSettings channel = m_channelValues();
    auto fill = [&](bool wanted, int column, auto value) {
        if (wanted && editedColumn != column && cells[size_t(column)].isEmpty())
            cells[size_t(column)] = value();
    };
    fill(channel.dateset, DateColumn,
         [&] { return m_clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); });
    fill(channel.addressset, LinkColumn, [&] { return ChannelLink(channel); });
    fill(channel.creatorset, CreatorColumn, [&] { return channel.creator; });
}

Qt::ItemFlags ItemTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant ItemTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    }
    if (section < 0 || section >= GridColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return GridColumnLookOf(section).caption;
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}
