#pragma once

#include <QString>
#include <Qt>
#include <optional>

// What the window knows about the focused control and the clipboard when a
// grid or Edit command is asked for. The rules below depend on nothing else.
struct FocusFacts
{
    enum class Kind
    {
        Other,
        TextBox,    // a single-line edit outside the grid
        CellEditor, // the grid's in-place editor
        Grid,       // the grid itself (line mode, or no editor open)
        TextEditor, // a multi-line TextEditor
    };
    Kind kind = Kind::Other;
    bool lineMode = false; // whole rows are selected
    bool clipboardHasText = false;
    bool clipboardHasTab = false;
    bool clipboardHasBoxText = false; // the text editor's own box format
    // The focused text box or text editor:
    bool canUndo = false;
    bool canRedo = false;
    bool readOnly = false;
    bool hasSelection = false;
    bool hasText = false;
    bool textLongerThanSelection = false;
    bool boxMode = false; // the content editor is in box selection mode
};

// The commands the grid's pop-up menu, the Edit menu and the grid's keys
// give to the focused text box or to the selected rows.
enum class GridCommand
{
    SelectAll,
    Copy,
    Delete,
    Cut,
    Paste,
    Undo,
};

// What one command does with the given focus.
enum class GridAction
{
    None, // refused: the command returns false
    BoxSelectAll,
    BoxCopy,
    BoxDelete,
    BoxCut,
    BoxPaste,
    BoxUndo,
    CopyRows,
    DeleteRows,
    CutRows,
    PasteRows,
};

GridAction GridCommandAction(GridCommand command, const FocusFacts &facts);
// Whether the clipboard's rows can be pasted into the grid now.
bool RowsCanBePasted(const FocusFacts &facts);
// Whether whole rows are selected.
bool RowsAreSelected(const FocusFacts &facts);

// The six commands shared by the grid's pop-up menu and the Edit menu, and
// the three the Edit menu adds while a text editor has the focus.
struct EditCommandState
{
    bool undo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool deleteSelection = false;
    bool selectAll = false;
    bool redo = false;
    bool boxPaste = false;
    bool boxModeChecked = false;
    bool editorCommandsVisible = false; // Redo, Box paste, Box selection mode
};

EditCommandState PopupMenuState(const FocusFacts &facts);
EditCommandState EditMenuState(const FocusFacts &facts);

// The grid toolbar: captions and hints change in line mode.
struct GridButtonState
{
    QString lineInsCaption;
    QString lineInsHint;
    QString lineDeleteCaption;
    QString lineDeleteHint;
    bool pasteEnabled = false;
    bool downEnabled = false;
    bool upEnabled = false;
};

// row is the current row counted from 1.
GridButtonState GridButtonsState(bool lineMode, int row, bool clipboardHasTab);

// Whole-row selection: where the cursor goes when it ends.
class LineMode
{
public:
    enum class Exit
    {
        Top = -1,
        Current = 0,
        Bottom = 1
    };
    struct Cell
    {
        int row;
        int column;
        bool operator==(const Cell &) const = default;
    };

    bool isOn() const { return m_on; }
    // True when line mode was switched on now.
    bool enter(int currentColumn);
    // The cell to move to when line mode was switched off now: the saved
    // column in the row the exit names.
    std::optional<Cell> leave(Exit exit, int top, int bottom, Cell current);

private:
    bool m_on = false;
    int m_savedColumn = -1;
};

// The keys the grid handles itself.
enum class GridKey
{
    None,
    LeaveLineMode, // Esc, Left, Right, Up and Down without Shift
    EnterLineMode, // Shift+Up, Shift+Down
    PasteRows,     // Shift+Insert, F7: Paste
    CopyRows,      // Ctrl+Insert: Copy
    DeleteRows,    // Delete: Delete in line mode
    CutRows,       // Shift+Delete: Cut in line mode
    LineInsert,    // F5
    LineDelete,    // F6
    MoveDown,      // F8
    MoveUp,        // F9
};

GridKey ClassifyGridKey(int key, Qt::KeyboardModifiers modifiers);
