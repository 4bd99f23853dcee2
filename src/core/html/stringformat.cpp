#include "core/html/stringformat.h"

QString ApplyStringFormat(QStringView format, const QString &value)
{
    QString out;
    out.reserve(format.size() + value.size());
    qsizetype pos = 0;
    while (pos < format.size()) {
        const qsizetype percent = format.indexOf(u'%', pos);
        if (percent < 0 || percent + 1 == format.size()) {
            out += format.sliced(pos);
            break;
        }
        out += format.sliced(pos, percent - pos);
        const QChar conversion = format[percent + 1];
        if (conversion == u's') {
            out += value;
            pos = percent + 2;
        } else if (conversion == u'%') {
            out += u'%';
            pos = percent + 2;
        } else {
            out += u'%';
            pos = percent + 1;
        }
    }
    return out;
}
