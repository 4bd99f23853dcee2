#include "core/xml/xmlutf8.h"

#include "core/xml/numericreference.h"
#include "core/xml/utf8blocks.h"

#include <QtEndian>

#include <cstring>
#include <utility>

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

// The code point of the three-byte sequence in the low three bytes, the
// lead byte lowest.
unsigned threeByteCode(quint64 word)
{
    return unsigned(((word & 0x0Fu) << 12) | ((word >> 2) & 0xFC0u) | ((word >> 16) & 0x3Fu));
}

// Overlong forms and surrogates are invalid.
bool isValidThreeByteCode(unsigned code)
{
    return code >= 0x800u && (code < 0xD800u || code >= 0xE000u);
}

// Decodes the three-byte sequences from position on, while they run with
// a byte beyond them; false at an invalid one. Works on copies of the
// pointers, which the compiler can then keep in registers.
bool decodeThreeByteRun(const uchar *&position, const uchar *end, char16_t *&output)
{
    char16_t *out = output;
    const uchar *p = DecodeThreeByteBlocks(position, end, out);
    bool valid = true;
    for (;;) {
        // Two sequences at a time: each a lead byte 0xE0-0xEF, then two
        // trailing bytes 0x80-0xBF.
        if (end - p >= 8) {
            const quint64 word = qFromLittleEndian<quint64>(p);
            if ((word & 0xC0C0F0C0C0F0u) == 0x8080E08080E0u) {
                const unsigned first = threeByteCode(word);
                const unsigned second = threeByteCode(word >> 24);
                if (isValidThreeByteCode(first) && isValidThreeByteCode(second)) {
                    out[0] = char16_t(first);
                    out[1] = char16_t(second);
                    out += 2;
                    p += 6;
                    continue;
                }
            }
        }
        if (end - p < 4)
            break;
        const quint32 word = qFromLittleEndian<quint32>(p);
        if ((word & 0xF0u) != 0xE0u)
            break;
        const unsigned code = threeByteCode(word);
        if ((word & 0xC0C000u) != 0x808000u || !isValidThreeByteCode(code)) {
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

void appendCodePoint(char16_t *&output, char32_t code)
{
    if (QChar::requiresSurrogates(code)) {
        *output++ = QChar::highSurrogate(code);
        *output++ = QChar::lowSurrogate(code);
    } else {
        *output++ = char16_t(code);
    }
}

// Decodes the sequence of two to four bytes at position (its lead byte not
// ASCII); false when it is not a valid one.
bool decodeSequence(const uchar *&position, const uchar *end, char16_t *&output)
{
    const uchar *p = position;
    const uchar lead = *p;
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
        return false;
    }
    if (end - p <= trailing)
        return false;
    for (int i = 1; i <= trailing; ++i) {
        const uchar next = p[i];
        if ((next & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    position = p + trailing + 1;
    appendCodePoint(output, code);
    return true;
}

// True when one of the eight bytes is an ampersand.
bool hasAmpersand(const uchar *bytes)
{
    quint64 word;
    std::memcpy(&word, bytes, sizeof word);
    const quint64 x = word ^ ('&' * Ones);
    return ((x - Ones) & ~x & HighBits) != 0;
}

const uchar *afterByteOrderMark(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    return bytes.startsWith("\xEF\xBB\xBF") ? p + 3 : p;
}

// The character of the writer's escape ("gt;", "lt;", "amp;") that follows
// an "&", and its length; 0 when none does.
std::pair<char16_t, int> escapeAfterAmpersand(const uchar *p, const uchar *end)
{
    const qsizetype left = end - p;
    if (left >= 3 && p[1] == 't' && p[2] == ';' && (p[0] == 'g' || p[0] == 'l'))
        return {p[0] == 'g' ? u'>' : u'<', 3};
    if (left >= 4 && p[0] == 'a' && p[1] == 'm' && p[2] == 'p' && p[3] == ';')
        return {u'&', 4};
    return {0, 0};
}

enum class Step
{
    Taken,
    Ascii, // an ASCII byte, left to the caller
    Invalid,
};

// Takes the short ways: a run of printable ASCII bytes (but an ampersand
// when stopAtAmpersand), sixteen or eight bytes at a time, a run of the
// three-byte sequences of Japanese text, or the sequence of another
// non-ASCII character. It is inlined into the two decoders' loops, since a
// call per step would cost as much as the step.
[[gnu::always_inline]] inline Step decodeStep(const uchar *&p, const uchar *end, char16_t *&out,
                                              bool stopAtAmpersand)
{
    if (end - p >= 16) {
        if (const int count = CopyPrintableAscii(p, stopAtAmpersand, out)) {
            out += count;
            p += count;
            return Step::Taken;
        }
    } else if (end - p >= 8 && isPrintableAscii(p) && !(stopAtAmpersand && hasAmpersand(p))) {
        for (int i = 0; i < 8; ++i)
            out[i] = p[i];
        out += 8;
        p += 8;
        return Step::Taken;
    }
    const uchar lead = *p;
    if ((lead & 0xF0) == 0xE0 && end - p >= 4)
        return decodeThreeByteRun(p, end, out) ? Step::Taken : Step::Invalid;
    if (lead < 0x80)
        return Step::Ascii;
    return decodeSequence(p, end, out) ? Step::Taken : Step::Invalid;
}

} // namespace

std::optional<QString> DecodeUtf8Value(QByteArrayView bytes, bool &hasControl)
{
    const uchar *p = afterByteOrderMark(bytes);
    const uchar *const end = reinterpret_cast<const uchar *>(bytes.data()) + bytes.size();
    // No character takes more UTF-16 units than UTF-8 bytes.
    QString text(end - p, Qt::Uninitialized);
    auto *const begin = reinterpret_cast<char16_t *>(text.data());
    char16_t *out = begin;
    bool control = false;
    while (p < end) {
        const Step step = decodeStep(p, end, out, false);
        if (step == Step::Invalid)
            return std::nullopt;
        if (step == Step::Ascii) {
            control |= isDroppedControl(*p);
            *out++ = *p++;
        }
    }
    text.truncate(out - begin);
    hasControl = control;
    return text;
}

std::optional<QString> DecodeUtf8Lines(QByteArrayView bytes)
{
    const uchar *p = afterByteOrderMark(bytes);
    const uchar *const end = reinterpret_cast<const uchar *>(bytes.data()) + bytes.size();
    // Only a line end can take more units than bytes; room is made for
    // those as they come.
    QString text(end - p, Qt::Uninitialized);
    auto *begin = reinterpret_cast<char16_t *>(text.data());
    char16_t *out = begin;
    char16_t *limit = begin + text.size();
    while (p < end) {
        const Step step = decodeStep(p, end, out, true);
        if (step == Step::Invalid)
            return std::nullopt;
        if (step == Step::Taken)
            continue;
        const uchar lead = *p;
        ++p;
        if (lead == '\r' || lead == '\n') {
            if (lead == '\r' && p < end && *p == '\n')
                ++p;
            // The unit beyond the bytes left must fit.
            else if (limit - out <= end - p + 1) {
                const qsizetype written = out - begin;
                text.resize(text.size() + (end - p) / 8 + 16);
                begin = reinterpret_cast<char16_t *>(text.data());
                out = begin + written;
                limit = begin + text.size();
            }
            *out++ = u'\r';
            *out++ = u'\n';
            continue;
        }
        if (isDroppedControl(lead))
            return std::nullopt;
        if (lead == '&') {
            if (p < end && *p == '#') {
                // A reference to an ASCII character could take part in an
                // escape or a line end, and one that XML refuses stays as
                // typed: the general way sorts those out.
                const auto reference = NumericReference(QByteArrayView(p - 1, end), 0);
                if (!reference || reference->first < 0x80)
                    return std::nullopt;
                appendCodePoint(out, reference->first);
                p += reference->second - 1;
                continue;
            }
            const auto [character, length] = escapeAfterAmpersand(p, end);
            if (length > 0) {
                *out++ = character;
                p += length;
                continue;
            }
        }
        *out++ = lead;
    }
    text.truncate(out - begin);
    // Japanese text takes far fewer units than bytes: the rest goes back.
    if (text.capacity() - text.size() > text.size() / 8)
        text.squeeze();
    return text;
}
