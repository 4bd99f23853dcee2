#pragma once

#include <QtGlobal>

// The byte classes of code page 932, for code that walks Shift_JIS bytes.

// A byte that starts a double-byte character.
inline bool IsShiftJisLeadByte(uchar byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A byte that can follow a lead byte.
inline bool IsShiftJisTrailByte(uchar byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}
