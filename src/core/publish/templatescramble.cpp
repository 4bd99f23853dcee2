#include "core/publish/templatescramble.h"

#include <array>

namespace {

// Both constants are part of the file format: changing them makes every
// existing template file unreadable.
constexpr std::array<unsigned char, 8> Key = {0x5A, 0x13, 0xC7, 0x2E, 0x91, 0x04, 0x6B, 0xF8};
// No hexadecimal digit among them, so a scrambled line never reads as hex.
constexpr char Symbols[] = "GhJkMnPqRsTvWxYz";
static_assert(sizeof(Symbols) - 1 == 16);

constexpr char HexDigits[] = "0123456789ABCDEF";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

char symbolToHex(char c)
{
    for (int i = 0; i < 16; ++i) {
        if (Symbols[i] == c)
            return HexDigits[i];
    }
    return c;
}

} // namespace

QByteArray ScrambleTemplateLine(const QByteArray &plain)
{
    QByteArray out;
    out.reserve(plain.size() * 2);
    size_t k = 0;
    for (char c : plain) {
        const auto x = static_cast<unsigned char>(static_cast<unsigned char>(c) ^ Key[k]);
        k = (k + 1) % Key.size();
        out.append(Symbols[x >> 4]);
        out.append(Symbols[x & 0x0F]);
    }
    out.truncate(MaxScrambledTemplateLine);
    return out;
}

QByteArray UnscrambleTemplateLine(const QByteArray &scrambled)
{
    QByteArray out;
    out.reserve(scrambled.size() / 2);
    size_t k = 0;
    for (qsizetype i = 0; i + 1 < scrambled.size(); i += 2) {
        const int high = hexValue(symbolToHex(scrambled.at(i)));
        const int low = hexValue(symbolToHex(scrambled.at(i + 1)));
        if (high < 0 || low < 0)
            return {};
        out.append(static_cast<char>((high << 4 | low) ^ Key[k]));
        k = (k + 1) % Key.size();
    }
    return out;
}
