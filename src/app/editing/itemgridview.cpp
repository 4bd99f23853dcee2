#include "app/editing/itemgridview.h"

#include "app/common/focusorder.h"
#include "app/editing/gridcelleditors.h"
#include "core/editing/gridrowcommands.h"
#include "core/editing/itemtablemodel.h"
#include "core/settings/settings.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

namespace {

// No trigger waits for a double click: a click opens the editor at once
// (mousePressEvent), so that the keys typed right after it land there.
const QAbstractItemView::EditTriggers cellEditTriggers =
    QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed;

QString displayTooltip()
{
    return GridTooltip().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

ItemGridView::ItemGridView(ItemTableModel *model, QWidget *parent)
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
    // Once the user scrolls, the view stays where it was put.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { m_centerRow = -1; });
}

ColumnPositions ItemGridView::columnPositions() const
{
    ColumnPositions positions{};
    for (int column = 0; column < GridColumnCount; ++column)
        positions[size_t(column)] = horizontalHeader()->visualIndex(column);
    return positions;
}

void ItemGridView::applyColumnSettings(const Settings &settings)
{
    QHeaderView *header = horizontalHeader();
    const auto order = LogicalColumnsInDisplayOrder(settings.columnPositions);
    for (int position = 0; position < GridColumnCount; ++position)
        header->moveSection(header->visualIndex(order[size_t(position)]), position);
    for (int position = 0; position < GridColumnCount; ++position)
        header->resizeSection(header->logicalIndex(position),
                              settings.columnWidths[size_t(position)]);
}

void ItemGridView::saveColumnSettings(Settings &settings) const
{
    settings.columnPositions = columnPositions();
    for (int position = 0; position < GridColumnCount; ++position)
        settings.columnWidths[size_t(position)] =
            horizontalHeader()->sectionSize(horizontalHeader()->logicalIndex(position));
}

void ItemGridView::setRowSelection(bool rows)
{
    setSelectionBehavior(rows ? SelectRows : SelectItems);
    setSelectionMode(rows ? ContiguousSelection : SingleSelection);
    setEditTriggers(rows ? NoEditTriggers : cellEditTriggers);
    if (!rows && ownsFocus())
        showEditor();
}

std::pair<int, int> ItemGridView::selectedRowSpan() const
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

void ItemGridView::moveTo(int row, int column)
{
    row = std::clamp(row, 0, GridRowCount - 1);
    setCurrentIndex(m_model->index(row, std::clamp(column, 0, GridColumnCount - 1)));
}

void ItemGridView::commitEditor()
{
    if (m_editor)
        commitData(m_editor);
}

void ItemGridView::finishEditing()
{
    if (!m_editor)
        return;
    commitData(m_editor);
    closeEditor(m_editor, QAbstractItemDelegate::NoHint);
}

void ItemGridView::discardEditor()
{
    if (m_editor)
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
}

bool ItemGridView::ownsFocus() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

void ItemGridView::showEditor()
{
    if (m_editor) {
        EditorTextField(m_editor)->setFocus();
        return;
    }
    if (state() == EditingState || editTriggers() == NoEditTriggers || !currentIndex().isValid())
        return;
    QTableView::edit(currentIndex());
}

void ItemGridView::centerRow(int row)
{
    m_centerRow = row;
    applyCenterRow();
}

void ItemGridView::applyCenterRow()
{
    if (m_centerRow < 0)
        return;
    const int visibleRows = viewport()->height() / verticalHeader()->defaultSectionSize();
    verticalScrollBar()->setValue(CenteredTopRow(m_centerRow, visibleRows));
}

void ItemGridView::adoptEditor(QWidget *editor)
{
    m_editor = editor;
    editor->installEventFilter(this);
    QLineEdit *field = EditorTextField(editor);
    if (field && field != editor)
        field->installEventFilter(this);
    if (field)
        connect(field, &QLineEdit::textEdited, this, &ItemGridView::editorTextEdited);
}

std::optional<std::pair<QModelIndex, QString>> ItemGridView::typedText() const
{
    const QLineEdit *field = m_editor ? EditorTextField(m_editor) : nullptr;
    if (!field || field->text() == currentIndex().data(Qt::EditRole).toString())
        return std::nullopt;
    return std::pair{currentIndex(), field->text()};
}

bool ItemGridView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened && trigger != AnyKeyPressed && m_editor) {
        if (QLineEdit *field = EditorTextField(m_editor)) {
            if (m_selectOnMove)
                field->selectAll();
            else
                field->end(false);
        }
    }
    return opened;
}

void ItemGridView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // A closed editor lives on until it is deleted later; it is no longer ours.
    if (editor == m_editor)
        m_editor = nullptr;
    // The focus comes back to the grid meanwhile: no new editor yet, as its
    // row may be about to change. The next key or click opens it.
    m_closingEditor = true;
    QTableView::closeEditor(editor, hint);
    m_closingEditor = false;
}

void ItemGridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // A move made while the focus is elsewhere (a feed shown) opens no
    // editor, which would take the focus from where the user is.
    const EditTriggers triggers = editTriggers();
    if (!ownsFocus())
        setEditTriggers(triggers & ~CurrentChanged);
    QTableView::currentChanged(current, previous);
    setEditTriggers(triggers);
}

void ItemGridView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    if (!m_closingEditor)
        showEditor();
}

void ItemGridView::keyPressEvent(QKeyEvent *event)
{
    m_centerRow = -1;
    if ((m_keyHandler && m_keyHandler(event)) || handleTabKey(event))
        return;
    // A key that reaches the grid itself belongs to the current cell.
    const bool typed = !event->text().isEmpty() && event->text().front().isPrint() &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typed) {
        showEditor();
        if (m_editor) {
            QCoreApplication::sendEvent(EditorTextField(m_editor), event);
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void ItemGridView::mousePressEvent(QMouseEvent *event)
{
    m_centerRow = -1;
    if (event->button() == Qt::LeftButton)
        Q_EMIT leftButtonPressed();
    QTableView::mousePressEvent(event);
    // A press on the current cell opens its editor too.
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()) == currentIndex())
        showEditor();
}

void ItemGridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    applyCenterRow();
}

void ItemGridView::wheelEvent(QWheelEvent *event)
{
    m_centerRow = -1;
    // Towards the user moves one row down, away one row up.
    const int delta = event->angleDelta().y();
    if (delta != 0)
        stepRow(delta < 0 ? 1 : -1);
    event->accept();
}

void ItemGridView::stepRow(int step)
{
    const QModelIndex current = currentIndex();
    const int row = current.row() + step;
    if (current.isValid() && row >= 0 && row < GridRowCount)
        moveTo(row, current.column());
}

void ItemGridView::stepCell(int step)
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
    // Past the first or the last cell the keyboard leaves the grid.
    if (row >= 0 && row < GridRowCount)
        moveTo(row, horizontalHeader()->logicalIndex(target));
    else
        MoveFocusOutOf(this, step > 0);
}

bool ItemGridView::handleTabKey(const QKeyEvent *key)
{
    if (bool forward = true; IsLeaveKey(key, &forward)) {
        MoveFocusOutOf(this, forward);
        return true;
    }
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (!tab || (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)))
        return false;
    const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
    stepCell(back ? -1 : 1);
    return true;
}

bool ItemGridView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QTableView::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    m_centerRow = -1;
    if (m_keyHandler && m_keyHandler(key))
        return true;
    const bool plain = !(key->modifiers() & (Qt::AltModifier | Qt::ControlModifier));
    switch (key->key()) {
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
