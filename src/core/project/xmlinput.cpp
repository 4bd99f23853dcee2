#include "xmlinput.h"

#include <QIODevice>
#include <QRegularExpression>
#include <cstring>

namespace {

bool isDroppedControl(uchar c)
{
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

bool isContinuation(uchar c)
{
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at data[i], or 0 when it is invalid
// (overlong forms, surrogates and code points above U+10FFFF included).
qsizetype validSequenceLength(const uchar *data, qsizetype i, qsizetype size)
{
    const uchar lead = data[i];
    qsizetype length;
    uchar low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > size || data[i + 1] < low || data[i + 1] > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k) {
        if (!isContinuation(data[i + k]))
            return 0;
    }
    return length;
}

bool namesOtherEncoding(const QByteArray &document)
{
    if (document.startsWith("\xFF\xFE") || document.startsWith("\xFE\xFF"))
        return true;
    if (!document.startsWith("<?xml"))
        return false;
    static const QRegularExpression encoding(
        QStringLiteral(R"(^<\?xml[^>]*\bencoding\s*=\s*["']([^"']*)["'])"));
    const QRegularExpressionMatch match =
        encoding.match(QString::fromLatin1(document.left(document.indexOf('>') + 1)));
    return match.hasMatch() &&
           match.captured(1).compare(QLatin1StringView("UTF-8"), Qt::CaseInsensitive) != 0;
}

QChar absentNoncharacter(const QByteArray &document)
{
    // U+FDD0 to U+FDEF are noncharacters that XML still accepts in text.
    char16_t candidate = 0xFDD0;
    for (; candidate < 0xFDEF; ++candidate) {
        if (!document.contains(QString(QChar(candidate)).toUtf8()))
            break;
    }
    return QChar(candidate);
}

// True when none of the eight bytes is 0x80 or above or below 0x20.
bool isPlainAsciiWord(quint64 word)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    constexpr quint64 highBits = 0x8080808080808080ULL;
    return ((word | (word - 0x20 * ones)) & highBits) == 0;
}

// Length of the start of the bytes that needs no work: valid UTF-8 without
// dropped controls. A sequence cut off by the end of the bytes ends it too.
qsizetype cleanPrefixLength(const uchar *data, qsizetype size)
{
    qsizetype i = 0;
    while (i < size) {
        if (i + 8 <= size) {
            quint64 word;
            std::memcpy(&word, data + i, sizeof word);
            if (isPlainAsciiWord(word)) {
                i += 8;
                continue;
            }
        }
        const uchar c = data[i];
        if (c < 0x80) {
            if (isDroppedControl(c))
                return i;
            ++i;
            continue;
        }
        const qsizetype length = validSequenceLength(data, i, size);
        if (length == 0)
            return i;
        i += length;
    }
    return i;
}

} // namespace

bool XmlInputNeedsNoRepair(QIODevice &device)
{
    constexpr qsizetype BlockSize = 1 << 20;
    QByteArray block;
    qsizetype carried = 0; // bytes of a sequence that the last block cut off
    bool first = true;
    for (;;) {
        block.resize(carried + BlockSize);
        const qint64 read = device.read(block.data() + carried, BlockSize);
        if (read < 0)
            return false;
        block.resize(carried + read);
        if (first && namesOtherEncoding(block))
            return true;
        first = false;
        const auto *data = reinterpret_cast<const uchar *>(block.constData());
        const qsizetype clean = cleanPrefixLength(data, block.size());
        if (read == 0)
            return clean == block.size();
        carried = block.size() - clean;
        if (carried >= 4)
            return false;
        std::memmove(block.data(), block.constData() + clean, size_t(carried));
    }
}

XmlInput PrepareXmlInput(const QByteArray &document)
{
    if (namesOtherEncoding(document))
        return {document, QChar()};

    const auto *data = reinterpret_cast<const uchar *>(document.constData());
    const qsizetype size = document.size();
    // Most documents are clean: find the first byte that needs work, if any.
    qsizetype i = cleanPrefixLength(data, size);
    if (i == size)
        return {document, QChar()};

    XmlInput input;
    QByteArray marker;
    input.bytes.reserve(size);
    input.bytes.append(document.constData(), i);
    while (i < size) {
        const uchar c = data[i];
        if (c < 0x80) {
            if (!isDroppedControl(c))
                input.bytes.append(char(c));
            ++i;
            continue;
        }
        const qsizetype length = validSequenceLength(data, i, size);
        if (length > 0) {
            input.bytes.append(document.constData() + i, length);
            i += length;
            continue;
        }
        if (input.invalidMarker.isNull()) {
            input.invalidMarker = absentNoncharacter(document);
            marker = QString(input.invalidMarker).toUtf8();
        }
        input.bytes.append(marker);
        // One marker for the lead byte and the continuation bytes after it.
        ++i;
        while (i < size && isContinuation(data[i]))
            ++i;
    }
    return input;
}
