#pragma once

#include "core/search/searchoptions.h"

#include <QPoint>
#include <QRect>
#include <QString>

class SearchTarget;
class UserInterface;

// The window's search state: the last search and replacement texts and
// options, kept while the program runs, and the commands of the menu
// "検索(&S)" that use them.
struct SearchSession
{
    QString searchText;
    QString replaceText;
    SearchOptions options = 0;

    // Opening the search dialog forgets the options; the selected text, when
    // there is one, becomes the text the dialog starts with.
    QString startFind(const QString &selectedText);
    // After the dialog reported success with its text and options.
    bool find(SearchTarget &target, const QString &text, SearchOptions dialogOptions,
              UserInterface &ui);
    // "次を検索(&N)" (down) and "前を検索(&B)": keep the direction for later.
    bool findAgain(SearchTarget &target, bool down, UserInterface &ui);
    // Opening the replace dialog forgets texts and options alike.
    void startReplace();
    int replace(SearchTarget &target, const QString &text, const QString &replacement,
                SearchOptions dialogOptions, UserInterface &ui);
};

struct SearchMenuState
{
    bool find = false;
    bool findNext = false;
    bool findBack = false;
    bool replace = false;
};

// The items of "検索(&S)" as the menu opens: every item needs a text editor
// with the focus, replacing also one that can be changed.
SearchMenuState SearchMenuEnabled(bool editorFocused, bool editorReadOnly);

// Where the replace confirmation goes: just above the caret line (caret is
// the screen position of the caret's top), else just below it; 2 pixels right
// of the caret, kept 4 pixels inside the screen's right edge.
QPoint ConfirmBoxPosition(QPoint caret, int lineHeight, QSize box, const QRect &screen);
