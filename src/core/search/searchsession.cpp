#include "core/search/searchsession.h"

#include "core/search/searchcommands.h"

QString SearchSession::startFind(const QString &selectedText)
{
    options = 0;
    if (!selectedText.isEmpty())
        searchText = selectedText;
    return searchText;
}

bool SearchSession::find(SearchTarget &target, const QString &text, SearchOptions dialogOptions,
                         UserInterface &ui)
{
    searchText = text;
    options = dialogOptions & SearchFlag::DialogMask;
    return SearchStep(target, searchText, options, ui);
}

bool SearchSession::findAgain(SearchTarget &target, bool down, UserInterface &ui)
{
    if (searchText.isEmpty())
        return false;
    options = down ? (options | SearchFlag::Down) : (options & ~SearchFlag::Down);
    return SearchStep(target, searchText, options, ui);
}

void SearchSession::startReplace()
{
    options = 0;
    searchText.clear();
    replaceText.clear();
}

int SearchSession::replace(SearchTarget &target, const QString &text, const QString &replacement,
                           SearchOptions dialogOptions, UserInterface &ui)
{
    searchText = text;
    replaceText = replacement;
    options = dialogOptions;
    return ReplaceCommand(target, searchText, replaceText, options, ui);
}

SearchMenuState SearchMenuEnabled(bool editorFocused, bool editorReadOnly)
{
    return {editorFocused, editorFocused, editorFocused, editorFocused && !editorReadOnly};
}

QPoint ConfirmBoxPosition(QPoint caret, int lineHeight, QSize box, const QRect &screen)
{
    int top = caret.y() - box.height() - lineHeight;
    if (top < screen.top())
        top = caret.y() + lineHeight;
    int left = caret.x() + 2;
    const int rightLimit = screen.right() - 4;
    if (left + box.width() > rightLimit)
        left = rightLimit - box.width();
    return {left, top};
}
