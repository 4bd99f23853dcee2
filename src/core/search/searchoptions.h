#pragma once

#include <QtGlobal>

// The option set of one search or replace request. The bit values are the
// ones the dialogs and the window have always exchanged.
using SearchOptions = quint16;

namespace SearchFlag {
enum : SearchOptions
{
    Down = 0x1, // towards the end of the text; clear means towards the start
    MatchCase = 0x2,
    WholeWord = 0x4,
    NoMatchZenkaku = 0x8, // full-width and half-width forms count as equal
    Replace = 0x10,       // replace one occurrence
    ReplaceAll = 0x20,
    Confirm = 0x40, // ask before each replacement
    IgnoreLineBreaks = 0x80,
    IgnoreSpaces = 0x100,
    // The options a search dialog hands over (its check boxes and direction).
    DialogMask = Down | MatchCase | WholeWord | NoMatchZenkaku | IgnoreLineBreaks | IgnoreSpaces,
};
}
