#include "core/feed/feeddates.h"

#include "core/text/textops.h"

#include <QList>
#include <array>
#include <initializer_list>
#include <optional>

namespace {

using namespace Qt::StringLiterals;

const std::array<const char *, 12> MonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const std::array<const char *, 7> DayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

// A wall-clock date and time, kept apart so that no time zone rule can move
// a time that does not exist in the machine's zone (a daylight-saving gap).
struct WallClock
{
    QDate date;
    QTime time;
};

// The fields, zero-padded to their digits, with the separator between them.
void appendFields(QString &out, std::initializer_list<std::pair<int, int>> fields,
                  char16_t separator)
{
    bool first = true;
    for (const auto &[value, digits] : fields) {
        if (!first)
            out += separator;
        first = false;
        AppendDecimal(out, value, digits);
    }
}

void appendTime(QString &out, QTime time)
{
    appendFields(out, {{time.hour(), 2}, {time.minute(), 2}, {time.second(), 2}}, u':');
}

QString rfc822(const WallClock &at)
{
    QString text = QLatin1String(DayNames.at(size_t(at.date.dayOfWeek() - 1))) + u", "_s;
    AppendDecimal(text, at.date.day(), 1);
    text += u' ' + QLatin1String(MonthNames.at(size_t(at.date.month() - 1))) + u' ';
    AppendDecimal(text, at.date.year(), 1);
    text += u' ';
    appendTime(text, at.time);
    text += u" +0900";
    return text;
}

// Written from the numbers read, never from the text as typed: a year
// below 1000 keeps four digits and other separators become "-" and "T".
QString w3c(const WallClock &at)
{
    QString text;
    text.reserve(25);
    appendFields(text, {{at.date.year(), 4}, {at.date.month(), 2}, {at.date.day(), 2}}, u'-');
    text += u'T';
    appendTime(text, at.time);
    text += u"+09:00";
    return text;
}

WallClock localNow(const Clock &clock)
{
    const QDateTime now = clock.now().toLocalTime();
    return {now.date(), now.time()};
}

// Leading spaces, an optional sign and the digits after it; a field without
// digits there counts as 0, so "1x" gives 1 and "ab" gives 0.
int leadingInteger(const QList<uint> &codePoints, qsizetype first, qsizetype count)
{
    qsizetype i = first;
    const qsizetype end = first + count;
    while (i < end && codePoints.at(i) == ' ')
        ++i;
    int sign = 1;
    if (i < end && (codePoints.at(i) == '+' || codePoints.at(i) == '-')) {
        sign = codePoints.at(i) == '-' ? -1 : 1;
        ++i;
    }
    int value = 0;
    for (; i < end && codePoints.at(i) >= '0' && codePoints.at(i) <= '9'; ++i)
        value = value * 10 + int(codePoints.at(i) - '0');
    return sign * value;
}

std::optional<WallClock> parseItemDate(const QString &date)
{
    QList<uint> codePoints = TrimWide(date).toUcs4();
    if (codePoints.size() == 10) {
        for (const char c : QByteArrayView(" 00:00:00"))
            codePoints.append(uint(c));
    }
    if (codePoints.size() != 19)
        return std::nullopt;
    const auto field = [&codePoints](qsizetype position, qsizetype count) {
        return leadingInteger(codePoints, position - 1, count);
    };
    const int year = field(1, 4);
    const QDate day(year, field(6, 2), field(9, 2));
    const int hour = field(12, 2), minute = field(15, 2), second = field(18, 2);
    if (year < 1 || !day.isValid() || !QTime::isValid(hour, minute, second))
        return std::nullopt;
    return WallClock{day, QTime(hour, minute, second)};
}

} // namespace

QString Rfc822Now(const Clock &clock)
{
    return rfc822(localNow(clock));
}

QString Rfc822FromItemDate(const QString &date)
{
    const std::optional<WallClock> parsed = parseItemDate(date);
    return parsed ? rfc822(*parsed) : QString();
}

QString W3cNow(const Clock &clock)
{
    return w3c(localNow(clock));
}

QString W3cFromItemDate(const QString &date)
{
    const std::optional<WallClock> parsed = parseItemDate(date);
    return parsed ? w3c(*parsed) : QString();
}
