#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>
#include <optional>

// Date patterns of the template variables "{channel_date}" and "{item_date}":
// "yyyy" four-digit year, "yy" two-digit year, "mm"/"m" month, "dd"/"d" day,
// "hh"/"h" hour (24-hour clock), "nn"/"n" minute, "ss"/"s" second (the
// doubled forms with a leading zero), "mmm"/"mmmm" and "ddd"/"dddd" the
// short and long Japanese month and day names. Text in double or single
// quotes is copied without its quotes; every other character is copied.
QString FormatDatePattern(QStringView pattern, QDate date, QTime time);

// The pattern of dates that carry no format of their own.
inline constexpr QStringView DefaultDatePattern = u"yyyy-mm-dd hh:nn:ss";

struct DateAndTime
{
    QDate date;
    QTime time;
};

// Reads an item's date text by position: year = characters 1 to 4, month 6
// and 7, day 9 and 10, hour 12 and 13, minute 15 and 16, second 18 and 19,
// each a whole number (0 when absent or not a number). Nothing when these do
// not form a valid date and time.
std::optional<DateAndTime> ReadItemDate(const QString &dateText);

// Characters first to first + count - 1 (1-based) of a date text, read as a
// whole number; 0 when they are absent or not a number.
int DateField(const QString &dateText, int first, int count);
