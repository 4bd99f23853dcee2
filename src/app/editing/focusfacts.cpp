#include "app/editing/focusfacts.h"

#include "app/common/texteditor.h"
#include "core/editing/gridclipboard.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>

FocusFacts ReadFocusFacts(const QWidget *focus, const QWidget *grid, bool lineMode)
{
    using Kind = FocusFacts::Kind;
    FocusFacts facts;
    facts.lineMode = lineMode;
    const QString clipboard = QGuiApplication::clipboard()->text();
    facts.clipboardHasText = !clipboard.isEmpty();
    facts.clipboardHasTab = TextHoldsRows(clipboard);

    if (const auto *editor = qobject_cast<const TextEditor *>(focus)) {
        facts.kind = Kind::TextEditor;
        facts.canUndo = editor->isUndoAvailable();
        facts.canRedo = editor->isRedoAvailable();
        facts.readOnly = editor->isReadOnly();
        facts.hasSelection = editor->hasSelectedText();
        facts.hasText = editor->length() > 0;
        return facts;
    }
    if (focus && focus == grid) {
        facts.kind = Kind::Grid;
        return facts;
    }
    // An editable combo box holds the focus for its text field.
    const QLineEdit *box = qobject_cast<const QLineEdit *>(focus);
    if (const auto *combo = qobject_cast<const QComboBox *>(focus))
        box = combo->lineEdit();
    if (box) {
        facts.kind = grid && grid->isAncestorOf(box) ? Kind::CellEditor : Kind::TextBox;
        facts.canUndo = box->isUndoAvailable();
        facts.readOnly = box->isReadOnly();
        facts.hasSelection = box->hasSelectedText();
        facts.hasText = !box->text().isEmpty();
        facts.textLongerThanSelection = box->text().size() > box->selectedText().size();
    }
    return facts;
}
