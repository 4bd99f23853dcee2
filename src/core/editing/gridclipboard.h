#pragma once

#include "core/editing/gridcolumns.h"

#include <QList>
#include <QString>

// The clipboard form of grid rows: one line per row ending in CR LF, the
// five cells in display order and the description, separated by TAB. Line
// breaks of the description are written as "{\r}".

// TAB, CR and LF inside a cell become a space, so that the text reads back
// as the same rows.
QString RowsToClipboardText(const QList<GridRow> &rows, const ColumnPositions &positions);
// Fields after the sixth are ignored, missing fields are empty; a non-empty
// field that lands in the date column is normalised.
QList<GridRow> RowsFromClipboardText(const QString &text, const ColumnPositions &positions);
// Only a text with a TAB is taken for rows.
bool TextHoldsRows(const QString &text);

// Rewrites a pasted date such as "2005/1/2" or "05-12-24 9:5" as
// "yyyy-mm-dd hh:nn:ss". A text whose year, month or day is missing or 0
// keeps its form, with "/" written as "-".
QString NormalisePastedDate(const QString &text);
