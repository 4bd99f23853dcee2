#pragma once

#include "core/search/searchoptions.h"

#include <QString>

class SearchTarget;
class UserInterface;

QString NotFoundMessage(const QString &searchText);
QString ConfirmReplaceMessage(const QString &searchText, const QString &replaceText);

// Searches from the caret (the end of the selection going down, its start
// going up) and selects what it finds; else says so and leaves the caret.
bool SearchStep(SearchTarget &target, const QString &searchText, SearchOptions options,
                UserInterface &ui);

// Replaces one occurrence (flag Replace) or all from the caret in the search
// direction (flag ReplaceAll), asking before each when flag Confirm is set.
// A replacement is never searched again and the search never wraps round,
// so the command always ends. The whole command is one undo step. A
// read-only target is left alone. Returns the number of replacements.
int ReplaceCommand(SearchTarget &target, const QString &searchText, const QString &replaceText,
                   SearchOptions options, UserInterface &ui);
