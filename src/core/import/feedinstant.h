#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Reads the date of a feed someone else wrote: RFC 822 with a named or a
// numeric zone (RSS 2.0), RFC 3339 and the shorter W3C forms (Atom, RSS 1.0)
// and the broken forms that feed readers accept anyway: a missing zone or
// weekday, full day and month names, any letter case, a two-digit year, a
// space or a slash in an ISO date, the C library's asctime form. A date
// without a zone is taken as UTC, as readers take it. Nothing when the text
// names no moment that exists.
std::optional<QDateTime> ReadFeedInstant(const QString &text);

// The moment as the item grid holds dates, "yyyy-mm-dd hh:nn:ss", on the
// clock of the zone the feeds are written in (+09:00), so that the written
// feed names the same moment.
QString ItemDateOfInstant(const QDateTime &instant);
