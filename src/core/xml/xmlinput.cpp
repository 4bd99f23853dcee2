#include "core/xml/xmlinput.h"

#include "core/xml/bytevectors.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>

namespace {

bool isDroppedControl(uchar c)
{
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

// Whether one of the sixteen bytes is a control that XML does not allow.
bool holdsDroppedControl(const uchar *position)
{
    const ByteVector bytes = LoadBytes(position);
    return AnyByteSet((bytes < 0x20) & ~((bytes == '\t') | (bytes == '\n') | (bytes == '\r')));
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
    qsizetype i = 0;
    for (; i + 32 <= size; i += 32) {
        if (holdsDroppedControl(bytes + i) || holdsDroppedControl(bytes + i + 16))
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
