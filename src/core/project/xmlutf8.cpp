#include "xmlutf8.h"

#include <cstring>

namespace {

bool isDroppedControl(uchar c)
{
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
}

constexpr quint64 Ones = 0x0101010101010101ULL;
constexpr quint64 HighBits = 0x8080808080808080ULL;

// True when all eight bytes are printable ASCII (0x20-0x7E): then none is
// the start of a sequence or a control.
bool isPrintableAscii(const uchar *bytes)
{
    quint64 word;
    std::memcpy(&word, bytes, sizeof word);
    return ((word | (word + Ones) | (word - 0x20 * Ones)) & HighBits) == 0;
}

// Decodes the three-byte sequences from position on, while they run; false
// at an invalid one. A cut sequence is left to the general way. Works on
// copies of the pointers, which the compiler can then keep in registers.
bool decodeThreeByteRun(const uchar *&position, const uchar *end, char16_t *&output)
{
    const uchar *p = position;
    char16_t *out = output;
    bool valid = true;
    while (end - p >= 3 && (p[0] & 0xF0) == 0xE0) {
        const unsigned second = p[1] ^ 0x80u;
        const unsigned third = p[2] ^ 0x80u;
        const unsigned code = ((p[0] & 0x0Fu) << 12) | (second << 6) | third;
        // Trailing bytes are 0x80-0xBF, which leaves their top bits clear.
        if (((second | third) & 0xC0u) != 0 || code < 0x800 || code - 0xD800u < 0x800u) {
            valid = false;
            break;
        }
        *out++ = char16_t(code);
        p += 3;
    }
    position = p;
    output = out;
    return valid;
}

} // namespace

std::optional<QString> DecodeUtf8Value(QByteArrayView bytes, bool &hasControl)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = p + bytes.size();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        p += 3;
    // No character takes more UTF-16 units than UTF-8 bytes.
    QString text(end - p, Qt::Uninitialized);
    auto *const begin = reinterpret_cast<char16_t *>(text.data());
    char16_t *out = begin;
    bool control = false;
    while (p < end) {
        // Runs of plain ASCII, and the three-byte sequences of Japanese
        // text, take the short ways.
        if (end - p >= 8 && isPrintableAscii(p)) {
            for (int i = 0; i < 8; ++i)
                out[i] = p[i];
            out += 8;
            p += 8;
            continue;
        }
        const uchar lead = *p;
        if ((lead & 0xF0) == 0xE0 && end - p >= 3) {
            if (!decodeThreeByteRun(p, end, out))
                return std::nullopt;
            continue;
        }
        if (lead < 0x80) {
            control |= isDroppedControl(lead);
            *out++ = lead;
            ++p;
            continue;
        }
        int trailing;
        char32_t code;
        char32_t least;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trailing = 1;
            code = lead & 0x1F;
            least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trailing = 2;
            code = lead & 0x0F;
            least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trailing = 3;
            code = lead & 0x07;
            least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (end - p <= trailing)
            return std::nullopt;
        for (int i = 1; i <= trailing; ++i) {
            const uchar next = p[i];
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        p += trailing + 1;
        if (code >= 0x10000) {
            *out++ = QChar::highSurrogate(code);
            *out++ = QChar::lowSurrogate(code);
        } else {
            *out++ = char16_t(code);
        }
    }
    text.truncate(out - begin);
    hasControl = control;
    return text;
}
