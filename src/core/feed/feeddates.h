#pragma once

#include "clock.h"

#include <QString>

// The two date forms of the feeds. Dates are the machine's local wall-clock
// time; the zone written is always the Japanese offset and nothing is
// converted to it, because the program's users publish Japanese local time
// whatever zone the machine is set to.

// "Sun, 2 Jan 2005 03:04:05 +0900" for the clock's current local time.
QString Rfc822Now(const Clock &clock);
// The RFC 822 form of an item date "yyyy-mm-dd hh:nn:ss" or "yyyy-mm-dd"
// (surrounding blanks ignored; the separator characters are not looked at).
// Empty when the text does not name a valid date and time.
QString Rfc822FromItemDate(const QString &date);
// "2005-01-02T03:04:05+09:00" for the clock's current local time.
QString W3cNow(const Clock &clock);
// The item date as stored, "yyyy-mm-dd hh:nn:ss" (or with "T") or
// "yyyy-mm-dd" (midnight), with "T" between date and time and "+09:00".
// Empty for any other text and for dates and times that do not exist: a
// feed reader would show another date than the one the user entered.
QString W3cFromItemDate(const QString &date);
