#include "core/html/datepattern.h"

#include "core/text/textops.h"

#include <QLocale>

namespace {

qsizetype runLength(QStringView text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && text[end] == text[from])
        ++end;
    return end - from;
}

const QLocale &japanese()
{
    // One per thread: pages are generated on several threads.
    static thread_local const QLocale locale(QLocale::Japanese, QLocale::Japan);
    return locale;
}

// One or two letters give the number, three the short name, four the long
// name. Returns how many letters were used.
template <typename NameOf>
qsizetype appendNumberOrName(QString &out, qsizetype run, int value, NameOf nameOf)
{
    if (run < 3) {
        AppendDecimal(out, value, int(run));
        return run;
    }
    out += nameOf(run == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
    return std::min<qsizetype>(run, 4);
}

// Appends one run of a pattern letter and returns how many letters it used.
qsizetype appendField(QString &out, QChar letter, qsizetype run, QDate date, QTime time)
{
    const int digits = run >= 2 ? 2 : 1;
    switch (letter.unicode()) {
    case 'y':
        if (run >= 3) {
            AppendDecimal(out, date.year(), 4);
            return std::min<qsizetype>(run, 4);
        }
        AppendDecimal(out, date.year() % 100, 2);
        return run;
    case 'm':
        return appendNumberOrName(out, run, date.month(), [&](QLocale::FormatType format) {
            return japanese().monthName(date.month(), format);
        });
    case 'd':
        return appendNumberOrName(out, run, date.day(), [&](QLocale::FormatType format) {
            return japanese().dayName(date.dayOfWeek(), format);
        });
    case 'h':
        AppendDecimal(out, time.hour(), digits);
        return digits;
    case 'n':
        AppendDecimal(out, time.minute(), digits);
        return digits;
    case 's':
        AppendDecimal(out, time.second(), digits);
        return digits;
    default:
        out += letter;
        return 1;
    }
}

} // namespace

QString FormatDatePattern(QStringView pattern, QDate date, QTime time)
{
    QString out;
    out.reserve(pattern.size() + 8);
    qsizetype pos = 0;
    while (pos < pattern.size()) {
        const QChar c = pattern[pos];
        if (c == u'"' || c == u'\'') {
            qsizetype close = pattern.indexOf(c, pos + 1);
            if (close < 0)
                close = pattern.size();
            out += pattern.sliced(pos + 1, close - pos - 1);
            pos = close + 1;
            continue;
        }
        pos += appendField(out, c, runLength(pattern, pos), date, time);
    }
    return out;
}

int DateField(const QString &dateText, int first, int count)
{
    bool ok = false;
    const int value = CharsView(dateText, first, count).toInt(&ok);
    return ok ? value : 0;
}

std::optional<DateAndTime> ReadItemDate(const QString &dateText)
{
    const int year = DateField(dateText, 1, 4);
    const QDate date(year, DateField(dateText, 6, 2), DateField(dateText, 9, 2));
    const QTime time(DateField(dateText, 12, 2), DateField(dateText, 15, 2),
                     DateField(dateText, 18, 2));
    if (year < 1 || year > 9999 || !date.isValid() || !time.isValid())
        return std::nullopt;
    return DateAndTime{date, time};
}
