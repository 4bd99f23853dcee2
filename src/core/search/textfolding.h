#pragma once

#include "core/search/searchoptions.h"

#include <QChar>
#include <QStringView>

// How the matcher sees one character of a text under the option flags.
struct FoldedUnit
{
    QChar folded;    // null when the character is ignored
    qsizetype units; // how many UTF-16 units of the text it stands for (1 or 2)
};

// Folds the character at the position: full-width ASCII and the ideographic
// space to their half-width forms and half-width katakana (with a following
// voiced sound mark) to full-width when full-width = half-width is asked,
// letter case when case does not matter; line breaks and spaces come back
// null when they are ignored.
FoldedUnit FoldAt(QStringView text, qsizetype position, SearchOptions options);

// False only for an exact search: case matters and nothing else is folded.
bool NeedsFolding(SearchOptions options);

// The word class used for whole-word matching: 0 for characters that are not
// part of words; letters and digits of one script share a class, so that a
// word boundary also lies between kanji and kana.
int WordClass(QChar c);
