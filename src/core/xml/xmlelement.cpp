#include "core/xml/xmlelement.h"

namespace {

bool isXmlBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

char16_t unitAt(QStringView text, qsizetype i)
{
    return text[i].unicode();
}
char16_t unitAt(QByteArrayView text, qsizetype i)
{
    return uchar(text[i]);
}

// A byte of a multi-byte UTF-8 sequence never equals an ASCII letter, so
// bytes compare like the characters they encode.
template <typename Name> bool sameName(Name name, QLatin1StringView expected)
{
    while (!name.isEmpty() && isXmlBlank(unitAt(name, 0)))
        name = name.sliced(1);
    while (!name.isEmpty() && isXmlBlank(unitAt(name, name.size() - 1)))
        name.chop(1);
    if (name.size() != expected.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        char16_t c = unitAt(name, i);
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        if (c != char16_t(uchar(expected[i].toLatin1())))
            return false;
    }
    return true;
}

} // namespace

bool SameXmlName(QStringView name, QLatin1StringView expected)
{
    return sameName(name, expected);
}

bool SameXmlName(QByteArrayView name, QLatin1StringView expected)
{
    return sameName(name, expected);
}
