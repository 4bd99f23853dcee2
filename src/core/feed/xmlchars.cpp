#include "xmlchars.h"

namespace {

bool isAllowedBmpChar(char16_t c)
{
    return c == 0x09 || c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD);
}

// Length of the allowed character at i (1, or 2 for a surrogate pair), or 0.
qsizetype allowedCharLength(const QString &text, qsizetype i)
{
    const char16_t c = text.at(i).unicode();
    if (isAllowedBmpChar(c))
        return 1;
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
        return 2;
    return 0;
}

} // namespace

QString WithoutXmlForbiddenChars(const QString &text)
{
    // Feeds almost never hold such characters: only copy when one is found.
    qsizetype i = 0;
    qsizetype length = 0;
    while (i < text.size() && (length = allowedCharLength(text, i)) != 0)
        i += length;
    if (i == text.size())
        return text;

    QString clean = text.left(i);
    clean.reserve(text.size());
    while (i < text.size()) {
        length = allowedCharLength(text, i);
        clean.append(QStringView(text).mid(i, length)); // a forbidden character appends nothing
        i += length == 0 ? 1 : length;
    }
    return clean;
}
