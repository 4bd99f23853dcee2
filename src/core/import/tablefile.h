#pragma once

#include "core/model/feeddata.h"

#include <QByteArray>

// What a table file of the light edition holds: 22 header lines with the
// channel settings, then one item per line with TAB-separated fields.
struct TableContents
{
    // Settings and items of the new feed; settings.filename is left to the
    // caller, who knows the file's name.
    FeedData feed;
    // Items past the feed's limit of FeedData::MaxItems, not taken.
    int omittedItems = 0;
};

// Reads the raw Shift_JIS bytes of a table file. Any bytes give a feed:
// missing header lines read as empty texts; a line 10, 11 or 12 that does
// not hold 0 or 1 keeps the default channel record's value (RSS 2.0,
// automatic date and link on); missing item fields are empty; blank items
// are left out; invalid bytes become U+FFFD without touching the
// characters around them.
TableContents ParseTableFile(const QByteArray &bytes);
