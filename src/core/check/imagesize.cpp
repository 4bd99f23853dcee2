#include "core/check/imagesize.h"

namespace {

int bigEndian(const QByteArray &bytes, qsizetype at, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | quint8(bytes.at(at + i));
    return value;
}

QSize pngSize(const QByteArray &head)
{
    if (head.size() < 24 || head.mid(12, 4) != "IHDR")
        return {};
    return {bigEndian(head, 16, 4), bigEndian(head, 20, 4)};
}

// Walks the segments up to the frame header (SOF0 to SOF15 without the
// table markers C4, C8 and CC), which holds height and width.
QSize jpegSize(const QByteArray &head)
{
    qsizetype at = 2;
    while (at + 9 < head.size()) {
        if (quint8(head.at(at)) != 0xFF)
            return {};
        const int marker = quint8(head.at(at + 1));
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return {bigEndian(head, at + 7, 2), bigEndian(head, at + 5, 2)};
        at += 2 + bigEndian(head, at + 2, 2);
    }
    return {};
}

} // namespace

QSize PngOrJpegSize(const QByteArray &head)
{
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return pngSize(head);
    if (head.startsWith("\xFF\xD8"))
        return jpegSize(head);
    return {};
}
