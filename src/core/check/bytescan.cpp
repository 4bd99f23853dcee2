#include "core/check/bytescan.h"

#include <QByteArray>
#include <QString>

#include <algorithm>

namespace {

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAddressChar(char c)
{
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// The address-like run of text around offset, for the message.
QString wordAround(QByteArrayView bytes, qsizetype offset)
{
    const auto stops = [](char c) {
        return c == '"' || c == '\'' || c == '<' || c == '>' || c == '\r' || c == '\n' ||
               c == ' ' || c == '\t';
    };
    qsizetype begin = offset;
    while (begin > 0 && !stops(bytes[begin - 1]) && offset - begin < 200)
        --begin;
    qsizetype end = offset;
    while (end < bytes.size() && !stops(bytes[end]) && end - offset < 200)
        ++end;
    return QString::fromUtf8(bytes.sliced(begin, end - begin));
}

// One finding per line, even when a path matches several patterns
// ("file:///C:/...").
void addLocalPath(QByteArrayView bytes, qsizetype offset, FeedFindings &findings)
{
    const QString prefix = QStringLiteral("ローカルのパスが含まれています: ");
    const int line = LineAt(bytes, offset);
    for (const FeedFinding &finding : std::as_const(findings))
        if (finding.line == line && finding.message.startsWith(prefix))
            return;
    findings.append({FeedFinding::Severity::Error, line, prefix + wordAround(bytes, offset)});
}

// Each occurrence of needle, case-insensitively for ASCII needles.
template <typename Visit> void forEach(QByteArrayView bytes, QByteArrayView needle, Visit visit)
{
    for (qsizetype at = bytes.indexOf(needle); at >= 0; at = bytes.indexOf(needle, at + 1))
        visit(at);
}

} // namespace

int LineAt(QByteArrayView bytes, qsizetype offset)
{
    return 1 + int(std::count(bytes.begin(), bytes.begin() + std::min(offset, bytes.size()), '\n'));
}

qsizetype InvalidUtf8Offset(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF; // range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0; // overlong
            else if (lead == 0xED)
                high = 0x9F; // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        if (i + length > size || data[i + 1] < low || data[i + 1] > high)
            return i;
        for (int k = 2; k < length; ++k)
            if ((data[i + k] & 0xC0) != 0x80)
                return i;
        i += length;
    }
    return -1;
}

void FindLocalPaths(QByteArrayView bytes, FeedFindings &findings)
{
    static const QByteArray unresolved = QStringLiteral("[ファイル名未解決]").toUtf8();
    forEach(bytes, unresolved, [&](qsizetype at) {
        findings.append({FeedFinding::Severity::Error, LineAt(bytes, at),
                         QStringLiteral("ファイル名が解決されていません: [ファイル名未解決]")});
    });
    // "file:" as a scheme (not inside a longer word such as "profile:").
    for (const QByteArrayView scheme : {QByteArrayView("file:"), QByteArrayView("FILE:")})
        forEach(bytes, scheme, [&](qsizetype at) {
            if (at == 0 || !isAddressChar(bytes[at - 1]))
                addLocalPath(bytes, at, findings);
        });
    // "C:\" or "C:/" standing alone: a drive letter, not the end of a scheme.
    forEach(bytes, ":", [&](qsizetype at) {
        if (at < 1 || at + 1 >= bytes.size() || !isAsciiLetter(bytes[at - 1]))
            return;
        if (bytes[at + 1] != '\\' && bytes[at + 1] != '/')
            return;
        if (at >= 2 && isAddressChar(bytes[at - 2]))
            return;
        addLocalPath(bytes, at - 1, findings);
    });
    forEach(bytes, "\\\\", [&](qsizetype at) {
        if (at + 2 < bytes.size() && isAddressChar(bytes[at + 2]))
            addLocalPath(bytes, at, findings);
    });
}
