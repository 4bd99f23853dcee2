#include "app/search/editorsearch.h"

#include "app/common/texteditor.h"
#include "app/search/caretconfirminterface.h"
#include "app/search/editorsearchtarget.h"
#include "app/search/finddialog.h"
#include "app/search/replacedialog.h"

EditorSearch::EditorSearch(const QString &settingsPath, UserInterface &ui, QObject *parent)
    : QObject(parent), m_settingsPath(settingsPath), m_ui(ui)
{
}

void EditorSearch::find(TextEditor *editor)
{
    if (!editor)
        return;
    FindDialog dialog(m_settingsPath, m_session.startFind(editor->selectedText()), editor);
    dialog.exec();
    if (!dialog.succeeded())
        return;
    EditorSearchTarget target(*editor);
    m_session.find(target, dialog.resultText(), dialog.dialogOptions(), m_ui);
}

void EditorSearch::findNext(TextEditor *editor)
{
    if (!editor)
        return;
    EditorSearchTarget target(*editor);
    m_session.findAgain(target, true, m_ui);
}

void EditorSearch::findBack(TextEditor *editor)
{
    if (!editor)
        return;
    EditorSearchTarget target(*editor);
    m_session.findAgain(target, false, m_ui);
}

void EditorSearch::replace(TextEditor *editor)
{
    if (!editor || editor->isReadOnly())
        return;
    m_session.startReplace();
    ReplaceDialog dialog(m_settingsPath, editor);
    dialog.exec();
    if (!dialog.succeeded())
        return;
    EditorSearchTarget target(*editor);
    CaretConfirmInterface ui(m_ui, *editor);
    // Questions need the normal cursor; replacing everything at once may take a moment.
    std::optional<BusyCursor> busy;
    if (!(dialog.options() & SearchFlag::Confirm))
        busy.emplace(ui);
    m_session.replace(target, dialog.searchText(), dialog.replaceText(), dialog.options(), ui);
}

SearchMenuState EditorSearch::menuState(const TextEditor *focused)
{
    return SearchMenuEnabled(focused != nullptr, focused && focused->isReadOnly());
}
