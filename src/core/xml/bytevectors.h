#pragma once

#include <QtEndian>

#include <cstring>

// Sixteen bytes handled as one value: the compiler turns the comparisons
// into the processor's vector instructions (SSE2, NEON), or plain code
// where there are none. A comparison gives 0xFF for each byte where it
// holds and 0 elsewhere.
using ByteVector = uchar __attribute__((vector_size(16)));

inline ByteVector LoadBytes(const uchar *position)
{
    ByteVector bytes;
    std::memcpy(&bytes, position, sizeof bytes);
    return bytes;
}

// The first and the last eight bytes of a comparison's result as words,
// the first byte lowest.
struct ByteMaskWords
{
    quint64 first;
    quint64 last;
};

inline ByteMaskWords MaskWords(ByteVector mask)
{
    quint64 words[2];
    std::memcpy(words, &mask, sizeof words);
    return {qFromLittleEndian(words[0]), qFromLittleEndian(words[1])};
}

inline bool AnyByteSet(ByteVector mask)
{
    const ByteMaskWords words = MaskWords(mask);
    return (words.first | words.last) != 0;
}

// How many bytes from the first on are set in a comparison's result.
inline int LeadingBytesSet(ByteVector mask)
{
    const ByteMaskWords words = MaskWords(mask);
    if (~words.first != 0)
        return __builtin_ctzll(~words.first) / 8;
    return ~words.last != 0 ? 8 + __builtin_ctzll(~words.last) / 8 : 16;
}
