#include "core/check/bytescan.h"
#include "core/check/checkfeed.h"
#include "core/check/feedrules.h"

#include <QRegularExpression>

namespace {

enum class PageCharset
{
    Unknown,
    Utf8,
    ShiftJis,
    EucJp
};

PageCharset charsetNamed(const QString &name)
{
    const QString lower = name.toLower();
    if (lower == u"utf-8" || lower == u"utf8")
        return PageCharset::Utf8;
    if (lower == u"shift_jis" || lower == u"shift-jis" || lower == u"sjis" || lower == u"x-sjis" ||
        lower == u"windows-31j" || lower == u"cp932")
        return PageCharset::ShiftJis;
    if (lower == u"euc-jp" || lower == u"x-euc-jp" || lower == u"eucjp")
        return PageCharset::EucJp;
    return PageCharset::Unknown;
}

// The first offset where the bytes leave the character set, or -1.
qsizetype invalidOffset(QByteArrayView bytes, PageCharset charset)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    const auto inRange = [&](qsizetype at, unsigned low, unsigned high) {
        return at < size && data[at] >= low && data[at] <= high;
    };
    switch (charset) {
    case PageCharset::Utf8:
        return InvalidUtf8Offset(bytes);
    case PageCharset::ShiftJis:
        for (qsizetype i = 0; i < size;) {
            const unsigned char c = data[i];
            if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) {
                ++i;
            } else if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
                if (!inRange(i + 1, 0x40, 0xFC) || data[i + 1] == 0x7F)
                    return i;
                i += 2;
            } else {
                return i;
            }
        }
        return -1;
    case PageCharset::EucJp:
        for (qsizetype i = 0; i < size;) {
            const unsigned char c = data[i];
            if (c < 0x80) {
                ++i;
            } else if (c == 0x8E) {
                if (!inRange(i + 1, 0xA1, 0xDF))
                    return i;
                i += 2;
            } else if (c == 0x8F) {
                if (!inRange(i + 1, 0xA1, 0xFE) || !inRange(i + 2, 0xA1, 0xFE))
                    return i;
                i += 3;
            } else if (c >= 0xA1 && c <= 0xFE) {
                if (!inRange(i + 1, 0xA1, 0xFE))
                    return i;
                i += 2;
            } else {
                return i;
            }
        }
        return -1;
    case PageCharset::Unknown:
        break;
    }
    return -1;
}

struct Declaration
{
    QString name;
    int line = 0;
};

// The character set a meta element or the XML declaration names.
std::optional<Declaration> declaredCharset(const QByteArray &bytes)
{
    static const QRegularExpression pattern(
        QStringLiteral("(?:charset|encoding)\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    // Only the ASCII letters matter, so Latin-1 keeps every offset a byte offset.
    const QString text = QString::fromLatin1(bytes);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return Declaration{match.captured(1), LineAt(bytes, match.capturedStart())};
}

bool hasNonAscii(QByteArrayView bytes)
{
    return std::ranges::any_of(bytes, [](char c) { return (c & 0x80) != 0; });
}

} // namespace

FeedFindings CheckHtmlPage(const QByteArray &bytes)
{
    FeedFindings findings;
    const std::optional<Declaration> declaration = declaredCharset(bytes);
    if (!declaration) {
        findings.append({FeedFinding::Severity::Warning, 0,
                         QStringLiteral("文字コードの宣言(charset)がありません。")});
    } else if (const PageCharset charset = charsetNamed(declaration->name);
               charset == PageCharset::Unknown) {
        findings.append(
            {FeedFinding::Severity::Warning, declaration->line,
             QStringLiteral("知らない文字コードが宣言されています: ") + declaration->name});
    } else if (charset != PageCharset::Utf8 && hasNonAscii(bytes) && InvalidUtf8Offset(bytes) < 0) {
        AddError(findings, declaration->line,
                 QStringLiteral("UTF-8 で書かれていますが、文字コードの宣言は %1 です。")
                     .arg(declaration->name));
    } else if (const qsizetype invalid = invalidOffset(bytes, charset); invalid >= 0) {
        AddError(findings, LineAt(bytes, invalid),
                 QStringLiteral("宣言された文字コード %1 として正しくないバイトがあります。")
                     .arg(declaration->name));
    }
    FindLocalPaths(bytes, findings);
    SortByLine(findings);
    return findings;
}
