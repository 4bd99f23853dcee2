#include "core/editing/gridcommand.h"

#include "core/editing/gridcolumns.h"

namespace {

using Kind = FocusFacts::Kind;

// The grid's in-place editor edits text as a text box does.
bool isTextBox(const FocusFacts &facts)
{
    return facts.kind == Kind::TextBox || facts.kind == Kind::CellEditor;
}

// A text box acts on its text; otherwise the command acts on the selected
// rows, and a single cell has no rows to act on.
GridAction boxOrRows(const FocusFacts &facts, GridAction box, GridAction rows)
{
    if (isTextBox(facts))
        return box;
    if (facts.kind == Kind::TextEditor || !facts.lineMode)
        return GridAction::None;
    return rows;
}

} // namespace

bool RowsCanBePasted(const FocusFacts &facts)
{
    return (facts.kind == Kind::Grid || facts.kind == Kind::CellEditor) && !facts.lineMode &&
           facts.clipboardHasTab;
}

bool RowsAreSelected(const FocusFacts &facts)
{
    return facts.lineMode;
}

GridAction GridCommandAction(GridCommand command, const FocusFacts &facts)
{
    switch (command) {
    case GridCommand::SelectAll:
        return isTextBox(facts) ? GridAction::BoxSelectAll : GridAction::None;
    case GridCommand::Copy:
        return boxOrRows(facts, GridAction::BoxCopy, GridAction::CopyRows);
    case GridCommand::Delete:
        return boxOrRows(facts, GridAction::BoxDelete, GridAction::DeleteRows);
    case GridCommand::Cut:
        return boxOrRows(facts, GridAction::BoxCut, GridAction::CutRows);
    case GridCommand::Paste:
        if (RowsCanBePasted(facts))
            return GridAction::PasteRows;
        return isTextBox(facts) && facts.clipboardHasText ? GridAction::BoxPaste : GridAction::None;
    case GridCommand::Undo:
        return isTextBox(facts) ? GridAction::BoxUndo : GridAction::None;
    }
    return GridAction::None;
}

EditCommandState PopupMenuState(const FocusFacts &facts)
{
    EditCommandState state;
    if (facts.lineMode) {
        state.cut = state.copy = state.deleteSelection = true;
        return state;
    }
    const bool textBox = isTextBox(facts);
    state.undo = textBox && facts.canUndo;
    state.paste = RowsCanBePasted(facts) || facts.clipboardHasText;
    state.cut = state.copy = state.deleteSelection = textBox && facts.hasSelection;
    state.selectAll = textBox && facts.textLongerThanSelection;
    return state;
}

EditCommandState EditMenuState(const FocusFacts &facts)
{
    switch (facts.kind) {
    case Kind::TextEditor: {
        EditCommandState state;
        const bool writable = !facts.readOnly;
        state.editorCommandsVisible = true;
        state.redo = writable && facts.canRedo;
        state.undo = writable && facts.canUndo;
        state.paste = state.boxPaste =
            writable &&
            (facts.clipboardHasBoxText || (facts.clipboardHasText && !facts.clipboardHasTab));
        state.boxModeChecked = facts.boxMode;
        state.cut = state.deleteSelection = writable && facts.hasSelection;
        state.copy = facts.hasSelection;
        state.selectAll = facts.hasText;
        return state;
    }
    case Kind::TextBox:
    case Kind::CellEditor:
    case Kind::Grid:
        return PopupMenuState(facts);
    case Kind::Other:
        break;
    }
    return {};
}

GridButtonState GridButtonsState(bool lineMode, int row, bool clipboardHasTab)
{
    GridButtonState state;
    if (lineMode) {
        state.lineInsCaption = QStringLiteral("コピー");
        state.lineInsHint = QStringLiteral("選択範囲をコピーします");
        state.lineDeleteCaption = QStringLiteral("切り取り");
        state.lineDeleteHint = QStringLiteral("選択範囲を切り取ります");
    } else {
        state.lineInsCaption = QStringLiteral("１行挿入");
        state.lineInsHint = QStringLiteral("現在の行に１行挿入します");
        state.lineDeleteCaption = QStringLiteral("１行削除");
        state.lineDeleteHint = QStringLiteral("現在の行を削除します");
    }
    state.pasteEnabled = clipboardHasTab;
    state.downEnabled = !lineMode && row >= 1 && row < GridRowCount;
    state.upEnabled = !lineMode && row > 1;
    return state;
}

bool LineMode::enter(int currentColumn)
{
    if (m_on)
        return false;
    m_on = true;
    m_savedColumn = currentColumn;
    return true;
}

std::optional<LineMode::Cell> LineMode::leave(Exit exit, int top, int bottom, Cell current)
{
    if (!m_on)
        return std::nullopt;
    m_on = false;
    Cell cell = current;
    if (exit == Exit::Top)
        cell.row = top;
    else if (exit == Exit::Bottom)
        cell.row = bottom;
    if (m_savedColumn >= 0)
        cell.column = m_savedColumn;
    m_savedColumn = -1;
    return cell;
}

GridKey ClassifyGridKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return GridKey::LeaveLineMode;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return shift ? GridKey::EnterLineMode : GridKey::LeaveLineMode;
    case Qt::Key_Insert:
        if (shift)
            return GridKey::PasteRows;
        return modifiers.testFlag(Qt::ControlModifier) ? GridKey::CopyRows : GridKey::None;
    case Qt::Key_Delete:
        return shift ? GridKey::CutRows : GridKey::DeleteRows;
    case Qt::Key_F5:
        return GridKey::LineInsert;
    case Qt::Key_F6:
        return GridKey::LineDelete;
    case Qt::Key_F7:
        return GridKey::PasteRows;
    case Qt::Key_F8:
        return GridKey::MoveDown;
    case Qt::Key_F9:
        return GridKey::MoveUp;
    default:
        return GridKey::None;
    }
}
