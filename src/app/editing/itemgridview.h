#pragma once

#include "core/editing/gridcolumns.h"

#include <QPointer>
#include <QTableView>
#include <functional>
#include <optional>

class ItemTableModel;
class QKeyEvent;
struct Settings;

// The item grid: 100 rows of five columns that the user may drag into
// another order and resize. While the grid has the focus, the current cell's
// editor is open and takes every key, however quickly they follow a click
// or a move. Tab moves between cells, from the last cell (or with Ctrl) out
// of the grid, Shift+Tab back; the wheel moves one row.
class ItemGridView : public QTableView
{
    Q_OBJECT

public:
    explicit ItemGridView(ItemTableModel *model, QWidget *parent = nullptr);

    ItemTableModel *itemModel() const { return m_model; }
    // Keys of the grid and of its editors go here first; true swallows them.
    void setKeyHandler(std::function<bool(QKeyEvent *)> handler) { m_keyHandler = handler; }

    ColumnPositions columnPositions() const;
    void applyColumnSettings(const Settings &settings);
    void saveColumnSettings(Settings &settings) const;

    // While on, moving to a cell selects the whole text of its editor.
    void setSelectOnMove(bool on) { m_selectOnMove = on; }
    bool selectOnMove() const { return m_selectOnMove; }

    // Whole rows (line mode) or single cells.
    void setRowSelection(bool rows);
    // The first and last selected rows; the current row when none is.
    std::pair<int, int> selectedRowSpan() const;
    void moveTo(int row, int column);

    // Writes what the open editor holds into the model; closing it too
    // when rows are about to move under it.
    void commitEditor();
    void finishEditing();
    // Closes the open editor without writing it: its row has moved away.
    void discardEditor();
    QWidget *openEditor() const { return m_editor; }
    // What the open editor holds and not yet the model: the cell and the text.
    std::optional<std::pair<QModelIndex, QString>> typedText() const;
    bool ownsFocus() const;
    // Opens the current cell's editor, unless whole rows are selected, and
    // gives it the focus.
    void showEditor();
    // Shows the row about in the middle of the view, by the view's real
    // height: once the grid is laid out, when it is not yet.
    void centerRow(int row);

    // Called by the delegate for each editor it makes.
    void adoptEditor(QWidget *editor);
    // Tab and Shift+Tab move between cells, Ctrl+Tab and Ctrl+Shift+Tab out
    // of the grid; true when the key was one of them.
    bool handleTabKey(const QKeyEvent *key);

Q_SIGNALS:
    void leftButtonPressed();
    // The user changed the text of the open editor.
    void editorTextEdited();

protected:
    using QTableView::edit;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stepRow(int step);
    void stepCell(int step);
    void applyCenterRow();

    ItemTableModel *m_model;
    std::function<bool(QKeyEvent *)> m_keyHandler;
    QPointer<QWidget> m_editor;
    bool m_selectOnMove = false;
    bool m_closingEditor = false;
    int m_centerRow = -1; // until the user moves or the grid has its size
};
