#include "app/editing/gridcelleditors.h"

#include "app/editing/itemgridview.h"
#include "core/editing/itemtablemodel.h"

#include <QCalendarWidget>
#include <QDateTime>
#include <QKeyEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int pickListRows = 15;
const QString dateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

} // namespace

PickListEditor::PickListEditor(const ItemTableModel &model, int column, QWidget *parent)
    : QComboBox(parent), m_model(model), m_column(column)
{
    setEditable(true);
    setMaxVisibleItems(pickListRows);
    setInsertPolicy(QComboBox::NoInsert);
    // Without a completer nothing completes or replaces what is typed.
    setCompleter(nullptr);
}

void PickListEditor::showPopup()
{
    // The list is built when it opens, from the column as it is now.
    const QString typed = currentText();
    clear();
    addItems(m_model.pickList(m_column));
    setCurrentIndex(findText(typed, Qt::MatchExactly));
    setEditText(typed);
    QComboBox::showPopup();
}

DateCellEditor::DateCellEditor(QWidget *parent) : QLineEdit(parent)
{
    QAction *calendar =
        addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    calendar->setToolTip(QStringLiteral("カレンダーから日付を選びます"));
    connect(calendar, &QAction::triggered, this, &DateCellEditor::showCalendar);
}

void DateCellEditor::showCalendar()
{
    // A child popup: the grid does not take the editor's focus loss for
    // the end of editing.
    auto *popup = new QWidget(this, Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    auto *calendar = new QCalendarWidget(popup);
    auto *layout = new QVBoxLayout(popup);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendar);

    const QDateTime typed = QDateTime::fromString(text().trimmed(), dateTimeFormat);
    if (typed.isValid())
        calendar->setSelectedDate(typed.date());
    connect(calendar, &QCalendarWidget::clicked, this, [this, popup, typed](QDate date) {
        // The time typed before stays; a text without one gets midnight.
        const QTime time = typed.isValid() ? typed.time() : QTime(0, 0);
        setText(QDateTime(date, time).toString(dateTimeFormat));
        popup->close();
    });
    popup->move(mapToGlobal(rect().bottomLeft()));
    popup->show();
    calendar->setFocus();
}

GridCellDelegate::GridCellDelegate(ItemGridView *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QWidget *GridCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &index) const
{
    QWidget *editor = nullptr;
    if (index.column() == DateColumn)
        editor = new DateCellEditor(parent);
    else
        editor = new PickListEditor(*m_grid->itemModel(), index.column(), parent);
    m_grid->adoptEditor(editor);
    return editor;
}

void GridCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    QLineEdit *field = EditorTextField(editor);
    // Set only when the editor opens, so a model refresh never overwrites
    // what is being typed.
    if (field && !field->isModified() && field->property("filled").isNull()) {
        field->setText(index.data(Qt::EditRole).toString());
        field->setProperty("filled", true);
    }
}

void GridCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    if (QLineEdit *field = EditorTextField(editor))
        model->setData(index, field->text());
}

bool GridCellDelegate::eventFilter(QObject *editor, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_grid->handleTabKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QStyledItemDelegate::eventFilter(editor, event);
}

QLineEdit *EditorTextField(QWidget *editor)
{
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(editor);
}
