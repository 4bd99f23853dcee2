#include "core/html/datechange.h"

#include "core/html/datepattern.h"
#include "core/text/textops.h"

namespace {

QString yearText(const QString &dateText)
{
    return CopyChars(dateText, 1, 4);
}

QString monthText(const QString &dateText)
{
    return CopyChars(dateText, 6, 2);
}

} // namespace

QString DateChangeState::yearChange(const QString &dateText) const
{
    const int year = DateField(dateText, 1, 4);
    if (year > 0 && yearText(dateText) != previousYear)
        return QString::number(year);
    return {};
}

QString DateChangeState::monthChange(const QString &dateText) const
{
    const int month = DateField(dateText, 6, 2);
    if (!yearChange(dateText).isEmpty())
        return QString::number(month);
    if (month > 0 && monthText(dateText) != previousMonth)
        return QString::number(month);
    return {};
}

void DateChangeState::advance(const QString &dateText)
{
    if (DateField(dateText, 1, 4) > 0)
        previousYear = yearText(dateText);
    if (DateField(dateText, 6, 2) > 0)
        previousMonth = monthText(dateText);
}
