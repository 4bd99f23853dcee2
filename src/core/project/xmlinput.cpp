#include "xmlinput.h"

#include <QRegularExpression>

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

} // namespace

XmlInput PrepareXmlInput(const QByteArray &document)
{
    if (namesOtherEncoding(document))
        return {document, QChar()};

    const auto *data = reinterpret_cast<const uchar *>(document.constData());
    const qsizetype size = document.size();
    qsizetype i = 0;
    // Most documents are clean: find the first byte that needs work, if any.
    while (i < size) {
        const uchar c = data[i];
        if (c < 0x80) {
            if (isDroppedControl(c))
                break;
            ++i;
            continue;
        }
        const qsizetype length = validSequenceLength(data, i, size);
        if (length == 0)
            break;
        i += length;
    }
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
