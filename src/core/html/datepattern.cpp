#include "datepattern.h"

#include "feed/textops.h"

#include <QLocale>

namespace {

qsizetype runLength(QStringView text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && text[end] == text[from])
        ++end;
    return end - from;
}

// The decimal value, padded with zeros to at least that many digits. A date
// field is never negative.
void appendNumber(QString &out, int value, int digits)
{
    char16_t reversed[10];
    int count = 0;
    for (unsigned rest = unsigned(std::max(value, 0)); rest > 0 || count < digits; rest /= 10)
        reversed[count++] = char16_t(u'0' + rest % 10);
    while (count > 0)
        out += QChar(reversed[--count]);
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
        appendNumber(out, value, int(run));
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
            appendNumber(out, date.year(), 4);
            return std::min<qsizetype>(run, 4);
        }
        appendNumber(out, date.year() % 100, 2);
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
        appendNumber(out, time.hour(), digits);
        return digits;
    case 'n':
        appendNumber(out, time.minute(), digits);
        return digits;
    case 's':
        appendNumber(out, time.second(), digits);
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
