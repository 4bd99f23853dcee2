#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <optional>
#include <utility>

namespace numeric_reference_detail {

// The value of a digit in base 10 or 16; -1 for anything else.
inline int digitValue(char16_t u, int base)
{
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

inline bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

inline char16_t unitAt(QStringView text, qsizetype i)
{
    return text[i].unicode();
}
inline char16_t unitAt(QByteArrayView text, qsizetype i)
{
    return uchar(text[i]);
}

} // namespace numeric_reference_detail

// The character that the numeric reference "&#" digits ";" or "&#x" hex
// digits ";" at text[at] names, and the length of the reference; nothing
// when there is no such reference there or it names a character XML does
// not allow.
template <typename Text>
std::optional<std::pair<char32_t, qsizetype>> NumericReference(const Text &text, qsizetype at)
{
    using namespace numeric_reference_detail;
    qsizetype i = at + 2;
    const bool hex = i < text.size() && unitAt(text, i) == u'x';
    const int base = hex ? 16 : 10;
    if (hex)
        ++i;
    const qsizetype digitsStart = i;
    char32_t code = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(unitAt(text, i), base);
        if (digit < 0)
            break;
        code = code * base + char32_t(digit);
        if (code > 0x10FFFF)
            return std::nullopt;
    }
    if (i == digitsStart || i >= text.size() || unitAt(text, i) != u';' || !isXmlChar(code))
        return std::nullopt;
    return std::make_pair(code, i + 1 - at);
}

