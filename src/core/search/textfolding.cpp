#include "core/search/textfolding.h"

#include <array>

namespace {

// Full-width forms of the half-width katakana block U+FF61 to U+FF9F.
constexpr std::array<char16_t, 0x3F> halfWidthKana = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

constexpr char16_t voicedMark = 0xFF9E;
constexpr char16_t semiVoicedMark = 0xFF9F;

bool takesVoicedMark(char16_t kana)
{
    return (kana >= 0x30AB && kana <= 0x30C8) || (kana >= 0x30CF && kana <= 0x30DB) ||
           kana == 0x30A6;
}

bool takesSemiVoicedMark(char16_t kana)
{
    return kana >= 0x30CF && kana <= 0x30DB;
}

// The half-width form of the character plus the units it takes, when
// full-width and half-width count as one.
FoldedUnit foldWidth(QStringView text, qsizetype position)
{
    const char16_t c = text[position].unicode();
    if (c >= 0xFF01 && c <= 0xFF5E)
        return {QChar(char16_t(c - 0xFF01 + 0x21)), 1};
    if (c == 0x3000)
        return {QChar(u' '), 1};
    if (c < 0xFF61 || c > 0xFF9F)
        return {QChar(c), 1};
    const char16_t kana = halfWidthKana[c - 0xFF61];
    const char16_t next = position + 1 < text.size() ? text[position + 1].unicode() : 0;
    if (next == voicedMark && takesVoicedMark(kana))
        return {QChar(char16_t(kana == 0x30A6 ? 0x30F4 : kana + 1)), 2};
    if (next == semiVoicedMark && takesSemiVoicedMark(kana))
        return {QChar(char16_t(kana + 2)), 2};
    return {QChar(kana), 1};
}

bool isIgnored(QChar c, SearchOptions options)
{
    if ((options & SearchFlag::IgnoreLineBreaks) && (c == u'\r' || c == u'\n'))
        return true;
    return (options & SearchFlag::IgnoreSpaces) && (c == u' ' || c == u'\t' || c == QChar(0x3000));
}

} // namespace

FoldedUnit FoldAt(QStringView text, qsizetype position, SearchOptions options)
{
    FoldedUnit unit = (options & SearchFlag::NoMatchZenkaku) ? foldWidth(text, position)
                                                             : FoldedUnit{text[position], 1};
    if (isIgnored(unit.folded, options))
        return {QChar(), unit.units};
    if (!(options & SearchFlag::MatchCase))
        unit.folded = unit.folded.toCaseFolded();
    return unit;
}

bool NeedsFolding(SearchOptions options)
{
    return !(options & SearchFlag::MatchCase) ||
           (options &
            (SearchFlag::NoMatchZenkaku | SearchFlag::IgnoreLineBreaks | SearchFlag::IgnoreSpaces));
}

int WordClass(QChar c)
{
    if (c == u'_' || (c.unicode() < 0x80 && c.isLetterOrNumber()))
        return 1;
    if (!c.isLetterOrNumber() && c != QChar(0x30FC))
        return 0;
    switch (c.script()) {
    case QChar::Script_Hiragana:
        return 2;
    case QChar::Script_Katakana:
        return 3;
    case QChar::Script_Han:
        return 4;
    case QChar::Script_Latin:
        return 1;
    default:
        // The prolonged sound mark is shared by both kana scripts; it joins katakana words.
        return c == QChar(0x30FC) ? 3 : 5;
    }
}
