#include "xstringgrid.h"

#include "editing/itemtablemodel.h"
#include "gridcelleditors.h"
#include "project/settings.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace {

const QAbstractItemView::EditTriggers cellEditTriggers =
    QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked;

QString displayTooltip()
{
    return GridTooltip().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

XStringGrid::XStringGrid(ItemTableModel *model, QWidget *parent)
    : QTableView(parent), m_model(model)
{
    setObjectName(QStringLiteral("XStringGrid"));
    setAccessibleName(QStringLiteral("項目"));
    setModel(model);
    setItemDelegate(new GridCellDelegate(this));
    setToolTip(displayTooltip());
    setTabKeyNavigation(true);
    setVerticalScrollMode(ScrollPerItem);
    setRowSelection(false);

    QFont cellFont = font();
    cellFont.setPointSize(10);
    setFont(cellFont);
    QPalette cells = palette();
    cells.setColor(QPalette::Base, Qt::white);
    cells.setColor(QPalette::Text, Qt::black);
    setPalette(cells);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(QFontInfo(cellFont).pixelSize() + 8);

    QHeaderView *header = horizontalHeader();
    QFont headerFont = cellFont;
    headerFont.setPointSize(9);
    header->setFont(headerFont);
    header->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: #D4D4D4; color: black; }"));
    header->setSectionsMovable(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignCenter);
    for (int column = 0; column < GridColumnCount; ++column)
        header->resizeSection(column, GridColumnLookOf(column).width);
}

ColumnPositions XStringGrid::columnPositions() const
{
    ColumnPositions positions{};
    for (int column = 0; column < GridColumnCount; ++column)
        positions[size_t(column)] = horizontalHeader()->visualIndex(column);
    return positions;
}

void XStringGrid::applyColumnSettings(const Settings &settings)
{
    QHeaderView *header = horizontalHeader();
    const auto order = LogicalColumnsInDisplayOrder(settings.columnPositions);
    for (int position = 0; position < GridColumnCount; ++position)
        header->moveSection(header->visualIndex(order[size_t(position)]), position);
    for (int position = 0; position < GridColumnCount; ++position)
        header->resizeSection(header->logicalIndex(position),
                              settings.columnWidths[size_t(position)]);
}

void XStringGrid::saveColumnSettings(Settings &settings) const
{
    settings.columnPositions = columnPositions();
    for (int position = 0; position < GridColumnCount; ++position)
        settings.columnWidths[size_t(position)] =
            horizontalHeader()->sectionSize(horizontalHeader()->logicalIndex(position));
}

void XStringGrid::setRowSelection(bool rows)
{
    setSelectionBehavior(rows ? SelectRows : SelectItems);
    setSelectionMode(rows ? ContiguousSelection : SingleSelection);
    setEditTriggers(rows ? NoEditTriggers : cellEditTriggers);
}

std::pair<int, int> XStringGrid::selectedRowSpan() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return {currentIndex().row(), currentIndex().row()};
    int top = rows.first().row();
    int bottom = top;
    for (const QModelIndex &index : rows) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
    }
    return {top, bottom};
}

void XStringGrid::moveTo(int row, int column)
{
    row = std::clamp(row, 0, GridRowCount - 1);
    setCurrentIndex(m_model->index(row, std::clamp(column, 0, GridColumnCount - 1)));
}

void XStringGrid::commitEditor()
{
    if (m_editor)
        commitData(m_editor);
}

void XStringGrid::finishEditing()
{
    if (!m_editor)
        return;
    commitData(m_editor);
    closeEditor(m_editor, QAbstractItemDelegate::NoHint);
}

void XStringGrid::discardEditor()
{
    if (m_editor)
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
}

bool XStringGrid::ownsFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

void XStringGrid::adoptEditor(QWidget *editor)
{
    m_editor = editor;
    editor->installEventFilter(this);
    QLineEdit *field = EditorTextField(editor);
    if (field && field != editor)
        field->installEventFilter(this);
    if (field)
        connect(field, &QLineEdit::textEdited, this, &XStringGrid::editorTextEdited);
}

std::optional<std::pair<QModelIndex, QString>> XStringGrid::typedText() const
{
    const QLineEdit *field = m_editor ? EditorTextField(m_editor) : nullptr;
    if (!field || field->text() == currentIndex().data(Qt::EditRole).toString())
        return std::nullopt;
    return std::pair{currentIndex(), field->text()};
}

bool XStringGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened && trigger == CurrentChanged && m_editor) {
        if (QLineEdit *field = EditorTextField(m_editor)) {
            if (m_selectOnMove)
                field->selectAll();
            else
                field->end(false);
        }
    }
    return opened;
}

void XStringGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // A closed editor lives on until it is deleted later; it is no longer ours.
    if (editor == m_editor)
        m_editor = nullptr;
    QTableView::closeEditor(editor, hint);
}

void XStringGrid::keyPressEvent(QKeyEvent *event)
{
    if (m_keyHandler && m_keyHandler(event))
        return;
    QTableView::keyPressEvent(event);
}

void XStringGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT leftButtonPressed();
    QTableView::mousePressEvent(event);
}

void XStringGrid::wheelEvent(QWheelEvent *event)
{
    // Towards the user moves one row down, away one row up.
    const int delta = event->angleDelta().y();
    if (delta != 0)
        stepRow(delta < 0 ? 1 : -1);
    event->accept();
}

void XStringGrid::stepRow(int step)
{
    const QModelIndex current = currentIndex();
    const int row = current.row() + step;
    if (current.isValid() && row >= 0 && row < GridRowCount)
        moveTo(row, current.column());
}

void XStringGrid::stepCell(int step)
{
    // Tab follows the columns as the user sees them.
    const QModelIndex current = currentIndex();
    const int position = horizontalHeader()->visualIndex(current.column()) + step;
    int row = current.row();
    int target = position;
    if (position >= GridColumnCount) {
        target = 0;
        ++row;
    } else if (position < 0) {
        target = GridColumnCount - 1;
        --row;
    }
    if (row >= 0 && row < GridRowCount)
        moveTo(row, horizontalHeader()->logicalIndex(target));
}

bool XStringGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QTableView::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (m_keyHandler && m_keyHandler(key))
        return true;
    const bool plain = !(key->modifiers() & (Qt::AltModifier | Qt::ControlModifier));
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!plain)
            break;
        stepCell(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier) ? 1 : -1);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Up and Down move between rows, not through the pick list.
        if (!plain)
            break;
        stepRow(key->key() == Qt::Key_Down ? 1 : -1);
        return true;
    default:
        break;
    }
    return QTableView::eventFilter(watched, event);
}
