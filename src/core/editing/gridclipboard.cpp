#include "core/editing/gridclipboard.h"

#include <QRegularExpression>

namespace {

const QString lineBreakMark = QStringLiteral("{\\r}");
const QString crlf = QStringLiteral("\r\n");
constexpr int maxDateParts = 10;

QString flattenCell(QString cell)
{
    for (QChar &c : cell) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return cell;
}

QString encodeDescription(QString desc)
{
    desc.remove(u'\t');
    desc.replace(crlf, lineBreakMark);
    desc.replace(u'\r', lineBreakMark);
    desc.replace(u'\n', lineBreakMark);
    return desc;
}

QStringList splitLines(const QString &text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    // The line end after the last row does not start another row.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Splits at the separator into at most maxDateParts parts; after the last
// separator taken, only the first two characters form the last part and the
// rest is handed back.
QStringList splitDateParts(const QString &text, QChar separator, QString *rest)
{
    QStringList parts;
    qsizetype start = 0;
    while (parts.size() < maxDateParts - 1) {
        const qsizetype at = text.indexOf(separator, start);
        if (at < 0)
            break;
        parts.append(text.mid(start, at - start));
        start = at + 1;
    }
    const QString remainder = text.mid(start);
    parts.append(remainder.left(2));
    if (rest)
        *rest = remainder.mid(2);
    return parts;
}

// ASCII digits only; anything else reads as 0.
int partValue(const QStringList &parts, int index, QString *digits = nullptr)
{
    if (index >= parts.size())
        return 0;
    const QString part = parts.at(index).trimmed();
    if (part.isEmpty())
        return 0;
    for (QChar c : part) {
        if (c < u'0' || c > u'9')
            return 0;
    }
    bool ok = false;
    const int value = part.toInt(&ok);
    if (ok && digits)
        *digits = part;
    return ok ? value : 0;
}

QString lastDigits(qint64 value, int width)
{
    return QString::number(value).rightJustified(width, u'0').right(width);
}

} // namespace

QString RowsToClipboardText(const QList<GridRow> &rows, const ColumnPositions &positions)
{
    const auto order = LogicalColumnsInDisplayOrder(positions);
    QString text;
    for (const GridRow &row : rows) {
        for (int column : order)
            text += flattenCell(row.cells[size_t(column)]) + u'\t';
        text += encodeDescription(row.desc) + crlf;
    }
    return text;
}

QList<GridRow> RowsFromClipboardText(const QString &text, const ColumnPositions &positions)
{
    const auto order = LogicalColumnsInDisplayOrder(positions);
    QList<GridRow> rows;
    for (const QString &line : splitLines(text)) {
        const QStringList fields = line.split(u'\t');
        GridRow row;
        for (int position = 0; position < GridColumnCount && position < fields.size(); ++position) {
            const int column = order[size_t(position)];
            const QString &field = fields.at(position);
            row.cells[size_t(column)] =
                column == DateColumn && !field.isEmpty() ? NormalisePastedDate(field) : field;
        }
        if (fields.size() > GridColumnCount)
            row.desc = QString(fields.at(GridColumnCount)).replace(lineBreakMark, crlf);
        rows.append(row);
    }
    return rows;
}

bool TextHoldsRows(const QString &text)
{
    return text.contains(u'\t');
}

QString NormalisePastedDate(const QString &text)
{
    QString dashed = text;
    dashed.replace(u'/', u'-');
    QString timeText;
    const QStringList dateParts = splitDateParts(dashed, u'-', &timeText);
    const QStringList timeParts = splitDateParts(timeText.trimmed(), u':', nullptr);

    QString yearDigits;
    qint64 year = partValue(dateParts, 0, &yearDigits);
    const int month = partValue(dateParts, 1);
    const int day = partValue(dateParts, 2);
    if (year == 0 || month == 0 || day == 0)
        return dashed;
    if (year < 100)
        year = (QStringLiteral("20") + yearDigits).toLongLong();
    return lastDigits(year, 4) + u'-' + lastDigits(month, 2) + u'-' + lastDigits(day, 2) + u' ' +
           lastDigits(partValue(timeParts, 0), 2) + u':' + lastDigits(partValue(timeParts, 1), 2) +
           u':' + lastDigits(partValue(timeParts, 2), 2);
}
