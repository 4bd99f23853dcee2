#include "core/xml/utf8blocks.h"

#if defined(__SSE2__)

#include <immintrin.h>

namespace {

// The bytes of five sequences, each a lead byte 0xE0-0xEF and two trailing
// bytes 0x80-0xBF; the sixteenth byte may be anything.
alignas(16) constexpr uchar SequenceMask[16] = {0xF0, 0xC0, 0xC0, 0xF0, 0xC0, 0xC0, 0xF0, 0xC0,
                                                 0xC0, 0xF0, 0xC0, 0xC0, 0xF0, 0xC0, 0xC0, 0};
alignas(16) constexpr uchar SequenceBits[16] = {0xE0, 0x80, 0x80, 0xE0, 0x80, 0x80, 0xE0, 0x80,
                                                 0x80, 0xE0, 0x80, 0x80, 0xE0, 0x80, 0x80, 0};
// Shuffles that put, in each of the five 16-bit lanes, the two trailing
// bytes (second one low), and the lead byte high; 0x80 gives a zero byte.
alignas(16) constexpr uchar TrailingBytes[16] = {2,  1,  5,  4,  8,    7,    11,   10,
                                                  14, 13, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
alignas(16) constexpr uchar LeadBytes[16] = {0x80, 0,    0x80, 3,    0x80, 6,    0x80, 9,
                                              0x80, 12,   0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
// The movemask bits of the five lanes that hold characters.
constexpr int CharacterLanes = 0x3FF;

__attribute__((target("ssse3"))) const uchar *decodeBlocks(const uchar *p, const uchar *end,
                                                            char16_t *&output)
{
    const __m128i mask = _mm_load_si128(reinterpret_cast<const __m128i *>(SequenceMask));
    const __m128i bits = _mm_load_si128(reinterpret_cast<const __m128i *>(SequenceBits));
    const __m128i trailing = _mm_load_si128(reinterpret_cast<const __m128i *>(TrailingBytes));
    const __m128i lead = _mm_load_si128(reinterpret_cast<const __m128i *>(LeadBytes));
    const __m128i lowSix = _mm_set1_epi16(0x003F);
    const __m128i highSix = _mm_set1_epi16(0x3F00);
    const __m128i leadFour = _mm_set1_epi16(0x0F00);
    const __m128i topFive = _mm_set1_epi16(short(0xF800));
    const __m128i surrogates = _mm_set1_epi16(short(0xD800));
    char16_t *out = output;
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(bytes, mask), bits)) != 0xFFFF)
            break;
        const __m128i low = _mm_shuffle_epi8(bytes, trailing);
        const __m128i high = _mm_shuffle_epi8(bytes, lead);
        const __m128i code =
            _mm_or_si128(_mm_or_si128(_mm_and_si128(low, lowSix),
                                      _mm_srli_epi16(_mm_and_si128(low, highSix), 2)),
                         _mm_slli_epi16(_mm_and_si128(high, leadFour), 4));
        // Overlong forms (below U+0800) and surrogates are invalid.
        const __m128i top = _mm_and_si128(code, topFive);
        const __m128i invalid = _mm_or_si128(_mm_cmpeq_epi16(top, _mm_setzero_si128()),
                                             _mm_cmpeq_epi16(top, surrogates));
        if (_mm_movemask_epi8(invalid) & CharacterLanes)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out), code);
        out += 5;
        p += 15;
    }
    output = out;
    return p;
}

const bool HasSsse3 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
}();

} // namespace

const uchar *DecodeThreeByteBlocks(const uchar *position, const uchar *end, char16_t *&output)
{
    return HasSsse3 ? decodeBlocks(position, end, output) : position;
}

#else

const uchar *DecodeThreeByteBlocks(const uchar *position, const uchar *, char16_t *&)
{
    return position;
}

#endif
