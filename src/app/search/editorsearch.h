#pragma once

#include "core/search/searchsession.h"

#include <QObject>

class TextEditor;
class UserInterface;

// The commands of the menu "検索(&S)" on the focused text editor: they open
// "検索" and "置換", keep the window's search state and run the search
// and replace of the core in the editor.
class EditorSearch : public QObject
{
    Q_OBJECT

public:
    // settingsPath: the file that keeps the dialogs' options and histories.
    EditorSearch(const QString &settingsPath, UserInterface &ui, QObject *parent = nullptr);

    // Each does nothing when there is no editor (or, for replace, when it is read-only).
    void find(TextEditor *editor);     // Mn_FindClick, Ctrl+F
    void findNext(TextEditor *editor); // Mn_FindNextClick, F3
    void findBack(TextEditor *editor); // Mn_FindBackClick, Shift+F3
    void replace(TextEditor *editor);  // Mn_ReplaceClick, Ctrl+R

    static SearchMenuState menuState(const TextEditor *focused);
    const SearchSession &session() const { return m_session; }

private:
    QString m_settingsPath;
    UserInterface &m_ui;
    SearchSession m_session;
};
