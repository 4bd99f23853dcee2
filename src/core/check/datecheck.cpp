#include "core/check/datecheck.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>
#include <QTime>

namespace {

const QStringList &monthNames()
{
    static const QStringList names =
        QStringLiteral("Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec").split(u' ');
    return names;
}

const QStringList &weekdayNames()
{
    static const QStringList names = QStringLiteral("Mon Tue Wed Thu Fri Sat Sun").split(u' ');
    return names;
}

bool validTime(const QString &hours, const QString &minutes, const QString &seconds)
{
    return QTime(hours.toInt(), minutes.toInt(), seconds.isEmpty() ? 0 : seconds.toInt()).isValid();
}

} // namespace

DateVerdict CheckRfc822Date(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^(?:([A-Za-z]{3}), *)?(\\d{1,2}) +([A-Za-z]{3}) +(\\d{2}|\\d{4}) +"
                       "(\\d{2}):(\\d{2})(?::(\\d{2}))? +"
                       "([+-]\\d{4}|UT|GMT|EST|EDT|CST|CDT|MST|MDT|PST|PDT|[A-IK-Za-ik-z])$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return DateVerdict::Malformed;
    const qsizetype month = monthNames().indexOf(match.captured(3));
    const QString weekday = match.captured(1);
    if (month < 0 || (!weekday.isEmpty() && !weekdayNames().contains(weekday)))
        return DateVerdict::Malformed;
    int year = match.captured(4).toInt();
    if (match.captured(4).size() == 2)
        year += year < 50 ? 2000 : 1900;
    const QDate date(year, int(month) + 1, match.captured(2).toInt());
    if (!date.isValid() || !validTime(match.captured(5), match.captured(6), match.captured(7)))
        return DateVerdict::NoSuchDate;
    if (!weekday.isEmpty() && weekdayNames().indexOf(weekday) + 1 != date.dayOfWeek())
        return DateVerdict::WrongWeekday;
    return DateVerdict::Valid;
}

DateVerdict CheckW3cDate(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^(\\d{4})(?:-(\\d{2})(?:-(\\d{2})"
                       "(?:T(\\d{2}):(\\d{2})(?::(\\d{2})(?:\\.\\d+)?)?"
                       "(Z|[+-](\\d{2}):(\\d{2})))?)?)?$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return DateVerdict::Malformed;
    const QString month = match.captured(2);
    const QString day = match.captured(3);
    const QDate date(match.captured(1).toInt(), month.isEmpty() ? 1 : month.toInt(),
                     day.isEmpty() ? 1 : day.toInt());
    if (!date.isValid())
        return DateVerdict::NoSuchDate;
    if (!match.captured(4).isEmpty()) {
        const bool zoneValid = match.captured(7) == QLatin1String("Z") ||
                               (match.captured(8).toInt() <= 14 && match.captured(9).toInt() < 60);
        if (!validTime(match.captured(4), match.captured(5), match.captured(6)) || !zoneValid)
            return DateVerdict::NoSuchDate;
    }
    return DateVerdict::Valid;
}
