#include "xmlelementreader.h"

#include "feed/textops.h"

#include <algorithm>

namespace {

bool isRemovedControl(char16_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0x7F;
}

QString withoutControls(QString text)
{
    const auto isControl = [](QChar c) { return isRemovedControl(c.unicode()); };
    if (std::any_of(text.cbegin(), text.cend(), isControl))
        text.removeIf(isControl);
    return text;
}

// The value of a digit in base 10 or 16; -1 for anything else.
int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Decodes "&#" digits ";" and "&#x" hex digits ";" that name a character XML
// allows; anything else stays as it is.
QString decodeNumericReferences(const QString &text)
{
    if (!text.contains(QLatin1StringView("&#")) || !text.contains(u';'))
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype done = 0;
    qsizetype at = 0;
    while ((at = text.indexOf(QLatin1StringView("&#"), at)) >= 0) {
        qsizetype i = at + 2;
        const bool hex = i < text.size() && text[i] == u'x';
        const int base = hex ? 16 : 10;
        if (hex)
            ++i;
        const qsizetype digitsStart = i;
        char32_t code = 0;
        bool tooLarge = false;
        for (; i < text.size(); ++i) {
            const int digit = digitValue(text[i], base);
            if (digit < 0)
                break;
            code = code * base + char32_t(digit);
            tooLarge = tooLarge || code > 0x10FFFF;
        }
        if (i == digitsStart || i >= text.size() || text[i] != u';' || tooLarge ||
            !isXmlChar(code)) {
            at += 2;
            continue;
        }
        result.append(QStringView(text).mid(done, at - done));
        const char32_t ucs4[1] = {code};
        result.append(QString::fromUcs4(ucs4, 1));
        at = done = i + 1;
    }
    result.append(QStringView(text).mid(done));
    return result;
}

void appendAttributeValue(QString &out, QStringView value)
{
    out += QLatin1StringView("=\"");
    out += EscapeXmlAttr(value.toString());
    out += u'"';
}

} // namespace

XmlElementReader::XmlElementReader(QIODevice &device, QChar invalidMarker)
    : m_invalidMarker(invalidMarker), m_xml(&device)
{
}

bool XmlElementReader::nextChild()
{
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            return enterElement();
        case QXmlStreamReader::EndElement:
            --m_depth;
            return false;
        case QXmlStreamReader::EndDocument:
            return false;
        case QXmlStreamReader::DTD:
            if (!m_xml.entityDeclarations().isEmpty()) {
                m_xml.raiseError(
                    QStringLiteral("実体宣言（<!ENTITY>）を含むファイルは読み込めません。"));
            }
            break;
        default:
            break;
        }
    }
    return false;
}

bool XmlElementReader::enterElement()
{
    if (++m_depth <= MaxDepth)
        return true;
    m_xml.raiseError(QStringLiteral("要素の入れ子が深すぎます（%1 段まで）。").arg(MaxDepth));
    return false;
}

void XmlElementReader::skipElement()
{
    m_xml.skipCurrentElement();
    --m_depth;
}

std::optional<QString> XmlElementReader::attribute(QLatin1StringView attributeName) const
{
    for (const QXmlStreamAttribute &attribute : m_xml.attributes()) {
        if (SameXmlName(attribute.name(), attributeName))
            return cleanPiece(attribute.value().toString(), false);
    }
    return std::nullopt;
}

bool XmlElementReader::isXhtml() const
{
    const std::optional<QString> type = attribute(QLatin1StringView("type"));
    return type && SameXmlName(*type, QLatin1StringView("xhtml"));
}

QString XmlElementReader::cleanPiece(QString piece, bool decodeReferences) const
{
    if (!m_invalidMarker.isNull() && piece.contains(m_invalidMarker))
        return invalidText();
    if (decodeReferences)
        piece = decodeNumericReferences(piece);
    return withoutControls(std::move(piece));
}

XmlElement XmlElementReader::readElement()
{
    XmlElement element;
    element.name = m_xml.name().toString();
    for (const QXmlStreamAttribute &attribute : m_xml.attributes())
        element.attributes.append(
            {attribute.name().toString(), cleanPiece(attribute.value().toString(), false)});
    if (isXhtml()) {
        element.text = cleanPiece(readMarkup(), false);
        return element;
    }

    // Pieces are kept raw until it is known whether any of them is CDATA,
    // which decides between plain text and CDATA text. Most elements have
    // one piece.
    QString firstPiece;
    QList<QString> morePieces;
    int pieceCount = 0;
    bool hasCData = false;
    while (!m_xml.atEnd()) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (!enterElement())
                break;
            element.children.push_back(readElement());
        } else if (token == QXmlStreamReader::Characters) {
            hasCData = hasCData || m_xml.isCDATA();
            if (pieceCount++ == 0)
                firstPiece = m_xml.text().toString();
            else
                morePieces.append(m_xml.text().toString());
        } else if (token == QXmlStreamReader::EndElement) {
            --m_depth;
            break;
        }
    }
    if (pieceCount == 0)
        return element;
    QString &joined = hasCData ? element.cdata : element.text;
    joined = cleanPiece(std::move(firstPiece), hasCData);
    for (const QString &piece : std::as_const(morePieces))
        joined += cleanPiece(piece, hasCData);
    return element;
}

// The content of the current element as markup, up to its end tag.
QString XmlElementReader::readMarkup()
{
    QString markup;
    int depth = 0;
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            markup += u'<';
            markup += m_xml.qualifiedName();
            for (const QXmlStreamNamespaceDeclaration &ns : m_xml.namespaceDeclarations()) {
                markup += QLatin1StringView(" xmlns");
                if (!ns.prefix().isEmpty()) {
                    markup += u':';
                    markup += ns.prefix();
                }
                appendAttributeValue(markup, ns.namespaceUri());
            }
            for (const QXmlStreamAttribute &attribute : m_xml.attributes()) {
                markup += u' ';
                markup += attribute.qualifiedName();
                appendAttributeValue(markup, attribute.value());
            }
            markup += u'>';
            break;
        case QXmlStreamReader::EndElement:
            if (depth-- == 0) {
                --m_depth;
                return markup;
            }
            markup += QLatin1StringView("</");
            markup += m_xml.qualifiedName();
            markup += u'>';
            break;
        case QXmlStreamReader::Characters:
            if (m_xml.isCDATA()) {
                markup += QLatin1StringView("<![CDATA[");
                markup += m_xml.text();
                markup += QLatin1StringView("]]>");
            } else {
                markup += EscapeXmlAttr(m_xml.text().toString());
            }
            break;
        default:
            break;
        }
    }
    return markup;
}
