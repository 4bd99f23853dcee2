#include "xmlelement.h"

namespace {

bool isXmlBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace

bool SameXmlName(QStringView name, QLatin1StringView expected)
{
    while (!name.isEmpty() && isXmlBlank(name.front()))
        name = name.mid(1);
    while (!name.isEmpty() && isXmlBlank(name.back()))
        name.chop(1);
    if (name.size() != expected.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char16_t c = name[i].unicode();
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        if (c != char16_t(uchar(expected[i].toLatin1())))
            return false;
    }
    return true;
}
