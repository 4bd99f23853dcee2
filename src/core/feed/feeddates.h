#pragma once

#include "core/clock.h"

#include <QString>

// The two date forms of the feeds. Dates are the machine's local wall-clock
// time; the zone written is always the Japanese offset and nothing is
// converted to it, because the program's users publish Japanese local time
// whatever zone the machine is set to.

// "Sun, 2 Jan 2005 03:04:05 +0900" for the clock's current local time.
QString Rfc822Now(const Clock &clock);
// Both item date forms read the text the same way, so the two feed versions
// date the same items: "yyyy-mm-dd hh:nn:ss" or "yyyy-mm-dd" (midnight),
// surrounding blanks ignored, fields taken by position (the separator
// characters are not looked at) with their leading digits. A text that does
// not name a date and time that exists gives an empty result.

// The RFC 822 form of an item date.
QString Rfc822FromItemDate(const QString &date);
// "2005-01-02T03:04:05+09:00" for the clock's current local time.
QString W3cNow(const Clock &clock);
// The W3C form of an item date, with "T" between date and time and "+09:00".
QString W3cFromItemDate(const QString &date);
