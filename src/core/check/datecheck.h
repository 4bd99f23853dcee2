#pragma once

#include <QString>

// The date forms the feeds carry, checked the way strict readers do.
enum class DateVerdict
{
    Valid,
    Malformed,    // not in the form at all
    NoSuchDate,   // in the form, but a day or time that does not exist
    WrongWeekday, // RFC 822 only: the weekday named is not the date's
};

// "Sun, 02 Jan 2005 03:04:05 +0900": optional weekday, day, English month
// abbreviation, two- or four-digit year, hh:mm with optional :ss, and a
// numeric or named zone.
DateVerdict CheckRfc822Date(const QString &text);
// W3C date and time: YYYY, YYYY-MM, YYYY-MM-DD, or a full date with
// "Thh:mm", optional ":ss" and fraction, and "Z" or "+hh:mm"/"-hh:mm".
DateVerdict CheckW3cDate(const QString &text);
