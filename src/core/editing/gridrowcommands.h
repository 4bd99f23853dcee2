#pragma once

#include "core/editing/gridcolumns.h"

#include <QString>

class ItemTableModel;
class UserInterface;

// Told when an insertion or a paste would push used rows out of the grid.
QString InsertRefusedMessage();
QString DeleteRowQuestion();

// Inserts count empty rows at first (0-based); refuses with the message,
// changing nothing, when the last count rows are not empty or the new rows
// would reach past the last row.
bool InsertGridRows(ItemTableModel &model, UserInterface &ui, int first, int count);
// Inserts the clipboard rows at first and fills them; a paste that does not
// fit is refused as an insertion is, and nothing changes.
bool PasteGridRows(ItemTableModel &model, UserInterface &ui, int first, const QString &text,
                   const ColumnPositions &positions);

// The first panel of the status bar while the items tab is shown: the
// current row (1-based) of 100, and how many items lie beyond the grid.
QString GridStatusText(int row, int hiddenItems);

// The first row (0-based) to show so that the row stands about in the
// middle of a view of visibleRows rows, without empty space past row 100.
int CenteredTopRow(int row, int visibleRows);
