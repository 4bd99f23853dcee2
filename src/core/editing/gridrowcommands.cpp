#include "core/editing/gridrowcommands.h"

#include "core/editing/gridclipboard.h"
#include "core/editing/itemtablemodel.h"
#include "core/userinterface.h"

#include <algorithm>

QString InsertRefusedMessage()
{
    return QStringLiteral("これ以上の挿入は行えません。");
}

QString DeleteRowQuestion()
{
    return QStringLiteral("現在の行を削除してもよろしいですか？");
}

bool InsertGridRows(ItemTableModel &model, UserInterface &ui, int first, int count)
{
    // Rows inserted past the last row would fall out of the grid at once.
    if (!model.hasRoomFor(count) || first + count > GridRowCount) {
        ui.information(InsertRefusedMessage());
        return false;
    }
    return model.insertEmptyRows(first, count);
}

bool PasteGridRows(ItemTableModel &model, UserInterface &ui, int first, const QString &text,
                   const ColumnPositions &positions)
{
    const QList<GridRow> rows = RowsFromClipboardText(text, positions);
    if (rows.isEmpty() || first < 0 || !InsertGridRows(model, ui, first, int(rows.size())))
        return false;
    model.putRows(first, rows);
    return true;
}

QString GridStatusText(int row, int hiddenItems)
{
    QString text = QString::number(row) + QStringLiteral(" : ") + QString::number(GridRowCount);
    if (hiddenItems > 0) {
        text += QStringLiteral("  (101 件目以降の %1 件は表示されず、そのまま保存されます)")
                    .arg(hiddenItems);
    }
    return text;
}

int CenteredTopRow(int row, int visibleRows)
{
    const int half = std::max(visibleRows, 1) / 2;
    return std::clamp(row - half, 0, std::max(GridRowCount - visibleRows, 0));
}
