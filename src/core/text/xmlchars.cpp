#include "core/text/xmlchars.h"

#include <cstring>

namespace {

using UnitVector = quint16 __attribute__((vector_size(16)));

// Whether the eight units at data are all from U+0020 to U+D7FF, as
// nearly all of a feed's text is; the compiler makes one vector comparison
// of it where the processor has them.
bool allPlain(const char16_t *data)
{
    UnitVector units;
    std::memcpy(&units, data, sizeof units);
    const UnitVector plain = (units >= 0x20) & (units < 0xD800);
    quint64 words[2];
    std::memcpy(words, &plain, sizeof words);
    return (words[0] & words[1]) == ~quint64(0);
}

// Position of the first character at or after from that XML forbids, or -1.
qsizetype firstForbidden(QStringView text, qsizetype from)
{
    const char16_t *data = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = from; i < size; ++i) {
        while (size - i >= 8 && allPlain(data + i))
            i += 8;
        if (i == size)
            break;
        const char16_t c = data[i];
        if ((c >= 0x20 && c < 0xD800) || c == 0x09 || c == 0x0A || c == 0x0D ||
            (c >= 0xE000 && c <= 0xFFFD))
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(data[i + 1])) {
            ++i;
            continue;
        }
        return i;
    }
    return -1;
}

} // namespace

QString WithoutXmlForbiddenChars(const QString &text)
{
    qsizetype forbidden = firstForbidden(text, 0);
    // Feeds almost never hold such characters: only copy when one is found.
    if (forbidden < 0)
        return text;
    QString clean;
    clean.reserve(text.size());
    qsizetype kept = 0;
    while (forbidden >= 0) {
        clean.append(QStringView(text).mid(kept, forbidden - kept));
        kept = forbidden + 1;
        forbidden = firstForbidden(text, kept);
    }
    clean.append(QStringView(text).mid(kept));
    return clean;
}
