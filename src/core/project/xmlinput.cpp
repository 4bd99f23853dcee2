#include "xmlinput.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace {

bool isDroppedControl(uchar c)
{
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

constexpr quint64 Ones = 0x0101010101010101ULL;
constexpr quint64 HighBits = 0x8080808080808080ULL;

quint64 wordAt(const uchar *data)
{
    quint64 word;
    std::memcpy(&word, data, sizeof word);
    return word;
}

// Per byte, the high bit set when the byte is below 0x20. Exact: no carry
// crosses a byte.
quint64 controlBytes(quint64 word)
{
    return ~(((word & ~HighBits) + 0x60 * Ones) | word) & HighBits;
}

// Per byte, the high bit set when the byte is c.
quint64 bytesEqual(quint64 word, uchar c)
{
    const quint64 x = word ^ (c * Ones);
    return ~(((x & ~HighBits) + ~HighBits) | x) & HighBits;
}

quint64 droppedControls(quint64 word)
{
    return controlBytes(word) &
           ~(bytesEqual(word, '\t') | bytesEqual(word, '\n') | bytesEqual(word, '\r'));
}

std::optional<QString> declaredEncoding(QByteArrayView document)
{
    if (!document.startsWith("<?xml"))
        return std::nullopt;
    static const QRegularExpression encoding(
        QStringLiteral(R"(^<\?xml[^>]*\bencoding\s*=\s*["']([^"']*)["'])"));
    const qsizetype end = document.indexOf('>');
    const QRegularExpressionMatch match =
        encoding.match(QString::fromLatin1(document.first(end < 0 ? 0 : end + 1)));
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1);
}

std::optional<QStringConverter::Encoding> byteOrderMark(QByteArrayView document)
{
    const std::optional<QStringConverter::Encoding> mark =
        QStringConverter::encodingForData(document.first(std::min<qsizetype>(document.size(), 4)));
    if (mark == QStringConverter::Utf8)
        return std::nullopt;
    return mark;
}

} // namespace

qsizetype DropXmlControls(char *data, qsizetype size)
{
    const auto *bytes = reinterpret_cast<const uchar *>(data);
    // Sixteen bytes at a time; those with a tab or a line end, about every
    // fourth, take the closer look.
    qsizetype i = 0;
    for (; i + 16 <= size; i += 16) {
        const quint64 first = wordAt(bytes + i);
        const quint64 second = wordAt(bytes + i + 8);
        if ((controlBytes(first) | controlBytes(second)) != 0 &&
            (droppedControls(first) | droppedControls(second)) != 0)
            break;
    }
    while (i < size && !isDroppedControl(bytes[i]))
        ++i;
    qsizetype kept = i;
    for (; i < size; ++i) {
        if (!isDroppedControl(bytes[i]))
            data[kept++] = data[i];
    }
    return kept;
}

bool NamesOtherEncoding(QByteArrayView document)
{
    if (byteOrderMark(document))
        return true;
    const std::optional<QString> name = declaredEncoding(document);
    return name && name->compare(QLatin1StringView("UTF-8"), Qt::CaseInsensitive) != 0;
}

QByteArray DocumentAsUtf8(QByteArrayView document)
{
    if (const std::optional<QStringConverter::Encoding> mark = byteOrderMark(document))
        return QString(QStringDecoder(*mark)(document)).toUtf8();
    const QByteArray name = declaredEncoding(document).value_or(QString()).toLatin1();
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        return {};
    return QString(decoder(document)).toUtf8();
}
