#include "app/preview/focusedtext.h"

#include "app/common/texteditor.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>

QString FocusedControlText(const QWidget *focus)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(focus))
        return edit->hasSelectedText() ? edit->selectedText() : edit->text();
    if (const auto *editor = qobject_cast<const TextEditor *>(focus))
        return editor->selectedText();
    if (const auto *grid = qobject_cast<const QAbstractItemView *>(focus))
        return grid->currentIndex().data(Qt::EditRole).toString();
    return {};
}

bool PasteIntoFocusedControl(QWidget *focus, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(focus)) {
        if (edit->isReadOnly())
            return false;
        // A committed input is the edit's own typing path: it replaces the
        // selection, is undoable and reports textEdited.
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QCoreApplication::sendEvent(edit, &typed);
        return true;
    }
    if (auto *editor = qobject_cast<TextEditor *>(focus)) {
        if (editor->isReadOnly())
            return false;
        editor->insertAsTyped(text);
        return true;
    }
    if (auto *grid = qobject_cast<QAbstractItemView *>(focus)) {
        const QModelIndex cell = grid->currentIndex();
        return cell.isValid() && (cell.flags() & Qt::ItemIsEditable) &&
               grid->model()->setData(cell, text, Qt::EditRole);
    }
    return false;
}
