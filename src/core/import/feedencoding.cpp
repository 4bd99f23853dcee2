#include "core/import/feedencoding.h"

#include "core/text/charsets.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// The declaration's encoding name with where its value stands.
struct DeclaredName
{
    QString name;
    qsizetype start = -1;
    qsizetype length = 0;
};

DeclaredName declaredName(const QByteArray &document)
{
    if (!document.startsWith("<?xml"))
        return {};
    const qsizetype end = document.indexOf("?>");
    static const QRegularExpression encoding(
        QStringLiteral(R"(\bencoding\s*=\s*["']([^"']*)["'])"));
    const QString declaration = QString::fromLatin1(document.first(end < 0 ? 0 : end));
    const QRegularExpressionMatch match = encoding.match(declaration);
    if (!match.hasMatch())
        return {};
    return {match.captured(1), match.capturedStart(1), match.capturedLength(1)};
}

bool isShiftJisName(const QString &name)
{
    static const QStringList names{QStringLiteral("shift_jis"),   QStringLiteral("shift-jis"),
                                   QStringLiteral("sjis"),        QStringLiteral("x-sjis"),
                                   QStringLiteral("windows-31j"), QStringLiteral("cp932"),
                                   QStringLiteral("ms_kanji"),    QStringLiteral("csshiftjis")};
    return names.contains(name.toLower());
}

bool isUtf8Name(const QString &name)
{
    return name.isEmpty() || name.compare(QLatin1StringView("utf-8"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1StringView("utf8"), Qt::CaseInsensitive) == 0;
}

// UTF-16 without a mark still starts "<?" in two bytes each.
std::optional<QStringConverter::Encoding> markOrUtf16(const QByteArray &document)
{
    if (const auto mark =
            QStringConverter::encodingForData(document.first(qMin(4, document.size()))))
        return mark;
    if (document.startsWith(QByteArrayView("<\0?\0", 4)))
        return QStringConverter::Utf16LE;
    if (document.startsWith(QByteArrayView("\0<\0?", 4)))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

// The text with its declaration naming UTF-8 and without a mark.
QByteArray asUtf8Document(QString text)
{
    if (text.startsWith(QChar(QChar::ByteOrderMark)))
        text.remove(0, 1);
    QByteArray utf8 = text.toUtf8();
    const DeclaredName declared = declaredName(utf8);
    if (declared.start >= 0)
        utf8.replace(declared.start, declared.length, "UTF-8");
    return utf8;
}

} // namespace

FeedText FeedDocumentAsUtf8(const QByteArray &document)
{
    if (const auto encoding = markOrUtf16(document)) {
        if (*encoding == QStringConverter::Utf8)
            return {document.sliced(3), {}};
        return {asUtf8Document(QStringDecoder(*encoding)(document)), {}};
    }
    const DeclaredName declared = declaredName(document);
    if (isUtf8Name(declared.name))
        return {document, {}};
    if (isShiftJisName(declared.name))
        return {asUtf8Document(DecodeShiftJis(document)), {}};
    QStringDecoder decoder(declared.name.toLatin1().constData());
    if (!decoder.isValid())
        return {{}, declared.name};
    return {asUtf8Document(decoder(document)), {}};
}
