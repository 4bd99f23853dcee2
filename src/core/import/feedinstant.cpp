#include "core/import/feedinstant.h"

#include <QRegularExpression>

#include <array>

namespace {

// The offset the feeds are written with; see feed/feeddates.h.
constexpr int WrittenOffsetSeconds = 9 * 3600;

struct NamedZone
{
    QLatin1StringView name;
    int hours;
};

// RFC 822's zones, and the Japanese one the program's own users write.
constexpr std::array<NamedZone, 13> NamedZones{{{QLatin1StringView("UT"), 0},
                                                {QLatin1StringView("UTC"), 0},
                                                {QLatin1StringView("GMT"), 0},
                                                {QLatin1StringView("Z"), 0},
                                                {QLatin1StringView("EST"), -5},
                                                {QLatin1StringView("EDT"), -4},
                                                {QLatin1StringView("CST"), -6},
                                                {QLatin1StringView("CDT"), -5},
                                                {QLatin1StringView("MST"), -7},
                                                {QLatin1StringView("MDT"), -6},
                                                {QLatin1StringView("PST"), -8},
                                                {QLatin1StringView("PDT"), -7},
                                                {QLatin1StringView("JST"), 9}}};

constexpr std::array<QLatin1StringView, 12> MonthPrefixes{
    QLatin1StringView("jan"), QLatin1StringView("feb"), QLatin1StringView("mar"),
    QLatin1StringView("apr"), QLatin1StringView("may"), QLatin1StringView("jun"),
    QLatin1StringView("jul"), QLatin1StringView("aug"), QLatin1StringView("sep"),
    QLatin1StringView("oct"), QLatin1StringView("nov"), QLatin1StringView("dec")};

// 1 to 12 for a month name or its first three letters; 0 otherwise.
int monthOfName(QStringView name)
{
    if (name.size() < 3)
        return 0;
    const QString prefix = name.first(3).toString().toLower();
    for (size_t i = 0; i < MonthPrefixes.size(); ++i) {
        if (prefix == MonthPrefixes[i])
            return int(i) + 1;
    }
    return 0;
}

// Seconds east of UTC for "+0900", "+09:00", "-05", "Z" or a zone name; a
// missing zone is UTC, and so is a name nobody agrees on, as readers do.
int zoneOffset(QStringView zone)
{
    if (zone.isEmpty())
        return 0;
    if (zone[0] == u'+' || zone[0] == u'-') {
        QString digits = zone.sliced(1).toString().remove(u':');
        if (digits.size() <= 2)
            digits += QLatin1StringView("00");
        const int hours = digits.first(2).toInt();
        const int minutes = digits.sliced(2, 2).toInt();
        const int seconds = hours * 3600 + minutes * 60;
        return zone[0] == u'-' ? -seconds : seconds;
    }
    for (const NamedZone &named : NamedZones) {
        if (zone.compare(named.name, Qt::CaseInsensitive) == 0)
            return named.hours * 3600;
    }
    return 0;
}

// RFC 2822's reading of two-digit years.
int fullYear(int year, qsizetype digits)
{
    if (digits > 2)
        return year;
    return year < 50 ? 2000 + year : 1900 + year;
}

std::optional<QDateTime> instantOf(int year, int month, int day, int hour, int minute, int second,
                                   int offsetSeconds)
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::OffsetFromUTC, offsetSeconds).toUTC();
}

int numberOr(const QRegularExpressionMatch &match, int group, int fallback)
{
    const QStringView captured = match.capturedView(group);
    return captured.isEmpty() ? fallback : captured.toInt();
}

// "2005-01-02T03:04:05.123+09:00" and its shorter forms down to "2005";
// "2005/01/02 03:04:05" too.
std::optional<QDateTime> readIsoForm(const QString &text)
{
    static const QRegularExpression iso(
        QStringLiteral(
            R"(^(\d{4})(?:[-/](\d{1,2})(?:[-/](\d{1,2})(?:(?:T|\s+)(\d{1,2}):(\d{2})(?::(\d{2})(?:[.,]\d+)?)?)"
            R"(\s*(Z|[+-]\d{2}(?::?\d{2})?)?)?)?)?$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = iso.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return instantOf(m.capturedView(1).toInt(), numberOr(m, 2, 1), numberOr(m, 3, 1),
                     numberOr(m, 4, 0), numberOr(m, 5, 0), numberOr(m, 6, 0),
                     zoneOffset(m.capturedView(7)));
}

// "Sun, 02 Jan 2005 03:04:05 +0900" with the weekday, the seconds, the time
// and the zone each optional, and a comment such as "(UTC)" after it.
std::optional<QDateTime> readRfc822Form(const QString &text)
{
    static const QRegularExpression rfc822(
        QStringLiteral(
            R"(^(?:[a-z]+\.?,?\s*)?(\d{1,2})[\s-]+([a-z]+)\.?[\s-]+(\d{2,4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?)"
            R"(\s*([a-z]+|[+-]\d{2}(?::?\d{2})?)?\s*(?:\(.*\))?$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = rfc822.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int month = monthOfName(m.capturedView(2));
    if (month == 0)
        return std::nullopt;
    return instantOf(fullYear(m.capturedView(3).toInt(), m.capturedLength(3)), month,
                     m.capturedView(1).toInt(), numberOr(m, 4, 0), numberOr(m, 5, 0),
                     numberOr(m, 6, 0), zoneOffset(m.capturedView(7)));
}

// "Sun Jan  2 03:04:05 2005", the C library's form, always UTC.
std::optional<QDateTime> readAsctimeForm(const QString &text)
{
    static const QRegularExpression asctime(
        QStringLiteral(R"(^[a-z]+\s+([a-z]+)\s+(\d{1,2})\s+(\d{1,2}):(\d{2}):(\d{2})\s+(\d{4})$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = asctime.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int month = monthOfName(m.capturedView(1));
    if (month == 0)
        return std::nullopt;
    return instantOf(m.capturedView(6).toInt(), month, m.capturedView(2).toInt(),
                     m.capturedView(3).toInt(), m.capturedView(4).toInt(),
                     m.capturedView(5).toInt(), 0);
}

} // namespace

std::optional<QDateTime> ReadFeedInstant(const QString &text)
{
    const QString trimmed = text.simplified();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (trimmed[0].isDigit()) {
        if (auto instant = readIsoForm(trimmed))
            return instant;
        return readRfc822Form(trimmed);
    }
    if (auto instant = readRfc822Form(trimmed))
        return instant;
    return readAsctimeForm(trimmed);
}

QString ItemDateOfInstant(const QDateTime &instant)
{
    return instant.toOffsetFromUtc(WrittenOffsetSeconds)
        .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}
