#pragma once

#include <QString>

class QWidget;

// The main window's focused control as the preview window sees it: a
// one-line edit, the text editor (TextEditor) or the item grid. Other controls
// give and take nothing.

// The text the "プレビュー" button looks at: a line edit's selection or its
// whole text, the editor's selection, the grid's current cell.
QString FocusedControlText(const QWidget *focus);
// SB_Paste: the text goes in as if typed (a line edit's selection is
// replaced, the editor inserts it at the caret, the grid's current cell
// takes it), so the page sees a user edit: the modified flag is set and the
// edit can be undone.
bool PasteIntoFocusedControl(QWidget *focus, const QString &text);
