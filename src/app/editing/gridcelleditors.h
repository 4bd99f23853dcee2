#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QStyledItemDelegate>

class ItemTableModel;
class ItemGridView;

// The in-place editor of the text columns: free text with a drop-down of
// the texts already used in the column. It never completes or replaces
// what the user types; only picking an entry changes the text.
class PickListEditor : public QComboBox
{
    Q_OBJECT

public:
    PickListEditor(const ItemTableModel &model, int column, QWidget *parent);
    void showPopup() override;

private:
    const ItemTableModel &m_model;
    int m_column;
};

// The in-place editor of the date column: free text, kept exactly as
// typed, with a calendar that writes a picked day.
class DateCellEditor : public QLineEdit
{
    Q_OBJECT

public:
    explicit DateCellEditor(QWidget *parent);

private:
    void showCalendar();
};

// Makes the grid's editors and hands them to the grid, which routes their
// keys and wheel.
class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit GridCellDelegate(ItemGridView *grid);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

protected:
    // Sees an editor's keys first: Tab is the grid's, not the delegate's.
    bool eventFilter(QObject *editor, QEvent *event) override;

private:
    ItemGridView *m_grid;
};

// The text field of a grid editor (the combo's own field for a pick list).
QLineEdit *EditorTextField(QWidget *editor);
