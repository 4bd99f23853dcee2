#pragma once

#include "core/xml/bytevectors.h"

#include <QtGlobal>

// Decodes whole blocks of five three-byte UTF-8 sequences (the characters of
// Japanese text) at once where the processor has the instructions for it,
// while at least sixteen bytes are left. Returns where it stopped: at the
// first block that holds anything else, an invalid sequence included, which
// the caller decodes one character at a time. Writes up to eight units at
// output per block, so output must have room for as many units as there are
// bytes left.
const uchar *DecodeThreeByteBlocks(const uchar *position, const uchar *end, char16_t *&output);

using UnitVector16 = quint16 __attribute__((vector_size(32)));

// How many of the sixteen bytes at position, from the first on, are
// printable ASCII (0x20-0x7E), other than "&" when stopAtAmpersand; all
// sixteen bytes go to output as units, the caller keeping only those
// counted. Position must have sixteen bytes, output room for sixteen units.
inline int CopyPrintableAscii(const uchar *position, bool stopAtAmpersand, char16_t *output)
{
    const ByteVector bytes = LoadBytes(position);
    ByteVector printable = (bytes >= 0x20) & (bytes <= 0x7E);
    if (stopAtAmpersand)
        printable &= bytes != '&';
    const UnitVector16 units = __builtin_convertvector(bytes, UnitVector16);
    std::memcpy(output, &units, sizeof units);
    return LeadingBytesSet(printable);
}
