#include "core/xml/xmlelementreader.h"

#include "core/text/textops.h"
#include "core/xml/numericreference.h"
#include "core/xml/xmlutf8.h"

#include <algorithm>
#include <cstring>

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

// Decodes the numeric references in text; anything else stays as it is.
// True when it decoded any.
bool decodeNumericReferences(QString &text)
{
    const QStringView view(text);
    qsizetype at = text.indexOf(QChar(u'&'));
    if (at < 0)
        return false;
    QString result;
    qsizetype done = 0;
    for (; at >= 0; at = text.indexOf(QChar(u'&'), at)) {
        const auto reference = at + 1 < view.size() && view[at + 1] == u'#'
                                   ? NumericReference(view, at)
                                   : std::nullopt;
        if (!reference) {
            ++at;
            continue;
        }
        if (result.isNull())
            result.reserve(view.size());
        result.append(view.mid(done, at - done));
        const char32_t ucs4[1] = {reference->first};
        result.append(QString::fromUcs4(ucs4, 1));
        at = done = at + reference->second;
    }
    if (result.isNull())
        return false;
    result.append(view.mid(done));
    text = std::move(result);
    return true;
}

bool isNameByte(char c)
{
    return c != ';' && c != '&' && c != '<' && uchar(c) > ' ';
}

// The part of a name after its namespace prefix.
const char *localName(const char *name)
{
    const char *colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool sameRawName(const char *name, QLatin1StringView expected)
{
    return SameXmlName(QByteArrayView(localName(name)), expected);
}

QString nameText(const char *name)
{
    return QString::fromUtf8(localName(name));
}

void appendAttributeValue(QString &out, const QString &value)
{
    out += QLatin1StringView("=\"");
    out += EscapeXmlAttr(value);
    out += u'"';
}

bool isNamespaceDeclaration(const char *name)
{
    return std::strncmp(name, "xmlns", 5) == 0 && (name[5] == 0 || name[5] == ':');
}

} // namespace

XmlElementReader::XmlElementReader(XmlDocument &document)
    : m_document(document), m_frames{{document.node(), {}}}
{
}

QString XmlElementReader::errorString() const
{
    return m_error.isEmpty() ? m_document.fault() : m_error;
}

qint64 XmlElementReader::lineNumber() const
{
    return m_document.lineAt(m_error.isEmpty() ? m_document.faultOffset() : m_errorOffset);
}

void XmlElementReader::raiseError(const QString &error, const char *position)
{
    if (!m_error.isEmpty())
        return;
    m_error = error;
    m_errorOffset = m_document.offsetOf(position);
}

bool XmlElementReader::tooDeep(pugi::xml_node element, int depth)
{
    if (depth <= MaxDepth)
        return false;
    raiseError(QStringLiteral("要素の入れ子が深すぎます（%1 段まで）。").arg(MaxDepth),
               element.name());
    return true;
}

bool XmlElementReader::nextChild()
{
    if (m_frames.empty() || !m_error.isEmpty() || m_document.declaresEntities())
        return false;
    Frame &frame = m_frames.back();
    pugi::xml_node next = frame.child ? frame.child.next_sibling() : frame.element.first_child();
    while (next && next.type() != pugi::node_element)
        next = next.next_sibling();
    // The child passed is done with: its nodes and bytes go back.
    if (frame.child)
        frame.element.remove_child(frame.child);
    frame.child = next;
    if (!next) {
        m_frames.pop_back();
        return false;
    }
    m_document.releaseBefore(next.name());
    m_frames.push_back({next, {}});
    if (tooDeep(next, int(m_frames.size()) - 1))
        return false;
    m_rawName = next.name();
    m_name.clear();
    return true;
}

QStringView XmlElementReader::name() const
{
    if (m_name.isNull())
        m_name = nameText(m_rawName);
    return m_name;
}

QByteArrayView XmlElementReader::localName() const
{
    return QByteArrayView(::localName(m_rawName));
}

// Skipped elements are checked too: a walked element is freed at once,
// which descends it recursively.
void XmlElementReader::skipElement()
{
    const pugi::xml_node element = m_frames.back().element;
    const int depth = int(m_frames.size()) - 1;
    m_frames.pop_back();
    pugi::xml_node node = element.first_child();
    int level = depth + 1;
    while (node) {
        if (node.type() == pugi::node_element && tooDeep(node, level))
            return;
        if (node.first_child()) {
            node = node.first_child();
            ++level;
            continue;
        }
        while (!node.next_sibling() && node.parent() != element) {
            node = node.parent();
            --level;
        }
        node = node.next_sibling();
    }
}

std::optional<QString> XmlElementReader::attribute(QLatin1StringView attributeName)
{
    for (const pugi::xml_attribute &attribute : m_frames.back().element.attributes()) {
        if (!isNamespaceDeclaration(attribute.name()) &&
            sameRawName(attribute.name(), attributeName))
            return cleanPiece(attribute.value(), Piece::Attribute);
    }
    return std::nullopt;
}

bool XmlElementReader::isXhtml()
{
    const std::optional<QString> type = attribute(QLatin1StringView("type"));
    return type && SameXmlName(*type, QLatin1StringView("xhtml"));
}

XmlElement XmlElementReader::readElement()
{
    const pugi::xml_node element = m_frames.back().element;
    m_frames.pop_back();
    return readElement(element, int(m_frames.size()));
}

QString XmlElementReader::readText()
{
    const pugi::xml_node element = m_frames.back().element;
    const pugi::xml_node piece = element.first_child();
    if (element.first_attribute() ||
        (piece && (piece.type() != pugi::node_pcdata || piece.next_sibling())))
        return readElement().text;
    m_frames.pop_back();
    return piece ? cleanPiece(piece.value(), Piece::Text) : QString();
}

std::optional<QByteArrayView> XmlElementReader::soleCData() const
{
    const pugi::xml_node element = m_frames.back().element;
    const pugi::xml_node piece = element.first_child();
    if (element.first_attribute() || piece.type() != pugi::node_cdata || piece.next_sibling())
        return std::nullopt;
    return QByteArrayView(piece.value());
}

XmlElement XmlElementReader::readElement(pugi::xml_node node, int depth)
{
    XmlElement element;
    element.name = nameText(node.name());
    for (const pugi::xml_attribute &attribute : node.attributes()) {
        if (!isNamespaceDeclaration(attribute.name()))
            element.attributes.append(
                {nameText(attribute.name()), cleanPiece(attribute.value(), Piece::Attribute)});
    }
    const std::optional<QString> type = [&]() -> std::optional<QString> {
        for (const XmlAttribute &attribute : std::as_const(element.attributes)) {
            if (SameXmlName(attribute.name, QLatin1StringView("type")))
                return attribute.value;
        }
        return std::nullopt;
    }();
    if (type && SameXmlName(*type, QLatin1StringView("xhtml"))) {
        element.text = readMarkup(node, depth);
        return element;
    }

    // Whether any piece is CDATA decides between plain text and CDATA text.
    bool hasCData = false;
    bool hasPiece = false;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            if (tooDeep(child, depth + 1))
                return element;
            element.children.push_back(readElement(child, depth + 1));
        } else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            hasCData = hasCData || child.type() == pugi::node_cdata;
            hasPiece = true;
        }
    }
    if (!hasPiece)
        return element;
    QString &joined = hasCData ? element.cdata : element.text;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        const bool cdata = child.type() == pugi::node_cdata;
        if (!cdata && child.type() != pugi::node_pcdata)
            continue;
        QString piece = cleanPiece(child.value(), cdata ? Piece::CData : Piece::Text, hasCData);
        if (joined.isEmpty())
            joined = std::move(piece); // most elements have one piece
        else
            joined += piece;
    }
    return element;
}

QString XmlElementReader::cleanPiece(const char *raw, Piece kind, bool decodeReferences)
{
    bool hasControl = false;
    QString piece = decodePiece(raw, kind, hasControl);
    // A decoded reference may name a control too.
    if (decodeReferences && decodeNumericReferences(piece))
        hasControl = true;
    return hasControl ? withoutControls(std::move(piece)) : piece;
}

QString XmlElementReader::utf8Text(QByteArrayView bytes, bool &hasControl)
{
    std::optional<QString> text = DecodeUtf8Value(bytes, hasControl);
    return text ? std::move(*text) : invalidText();
}

QString XmlElementReader::decodePiece(const char *raw, Piece kind, bool &hasControl)
{
    const bool attribute = kind == Piece::Attribute;
    const char *const specials = attribute ? "\r&\n\t" : kind == Piece::Text ? "\r&" : "\r";
    // Most values hold nothing to decode: one library scan finds that and
    // the length.
    const size_t plain = std::strcspn(raw, specials);
    if (raw[plain] == 0)
        return utf8Text(QByteArrayView(raw, qsizetype(plain)), hasControl);

    const QByteArrayView bytes(raw);
    const char *const end = bytes.data() + bytes.size();
    const char *run = raw + plain;
    QByteArray decoded;
    decoded.reserve(bytes.size());
    decoded.append(bytes.data(), run - bytes.data());
    for (const char *p = run; p < end;) {
        // The value ends at its NUL, which stops the scan.
        const char *next = p + std::strcspn(p, specials);
        decoded.append(p, next - p);
        if (next == end)
            break;
        p = next + 1;
        if (*next != '&') {
            // CR LF and a lone CR end a line like LF; an attribute value
            // holds line ends and tabs as spaces.
            if (*next == '\r' && p < end && *p == '\n')
                ++p;
            decoded += attribute ? ' ' : '\n';
            continue;
        }
        const qsizetype at = next - bytes.data();
        if (p < end && *p == '#') {
            if (const auto reference = NumericReference(bytes, at)) {
                const char32_t ucs4[1] = {reference->first};
                decoded += QString::fromUcs4(ucs4, 1).toUtf8();
                p = next + reference->second;
            } else {
                decoded += '&';
            }
            continue;
        }
        const char *nameEnd = std::find_if_not(p, end, isNameByte);
        if (nameEnd == p || nameEnd == end || *nameEnd != ';') {
            decoded += '&';
            continue;
        }
        const QByteArrayView entity(p, nameEnd - p);
        static const std::pair<QByteArrayView, char> predefined[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
        const auto known = std::find_if(std::begin(predefined), std::end(predefined),
                                        [&](const auto &entry) { return entry.first == entity; });
        if (known != std::end(predefined)) {
            decoded += known->second;
        } else if (!m_document.hasOutsideDtd()) {
            raiseError(QStringLiteral("実体参照 &%1; は宣言されていません。")
                           .arg(QString::fromUtf8(entity)),
                       next);
        }
        // An entity of a DTD that is never read stays out of the text.
        p = nameEnd + 1;
    }
    return utf8Text(decoded, hasControl);
}

// The content of the element as markup. Walked without recursion, since
// markup may nest deeper than the stack allows.
QString XmlElementReader::readMarkup(pugi::xml_node element, int depth)
{
    QString markup;
    bool invalid = false;
    // The markup is cleaned whole at the end.
    bool hasControl = false;
    const auto piece = [&](const char *raw, Piece kind) {
        QString text = decodePiece(raw, kind, hasControl);
        invalid = invalid || text == invalidText();
        return text;
    };
    pugi::xml_node node = element.first_child();
    while (node) {
        if (node.type() == pugi::node_element) {
            markup += u'<';
            markup += QString::fromUtf8(node.name());
            // Namespace declarations first, as a namespace-aware parser
            // gives them apart from the attributes.
            for (const bool declarations : {true, false}) {
                for (const pugi::xml_attribute &attribute : node.attributes()) {
                    if (isNamespaceDeclaration(attribute.name()) != declarations)
                        continue;
                    markup += u' ';
                    markup += QString::fromUtf8(attribute.name());
                    appendAttributeValue(markup, piece(attribute.value(), Piece::Attribute));
                }
            }
            markup += u'>';
        } else if (node.type() == pugi::node_cdata) {
            markup += QLatin1StringView("<![CDATA[");
            markup += piece(node.value(), Piece::CData);
            markup += QLatin1StringView("]]>");
        } else if (node.type() == pugi::node_pcdata) {
            markup += EscapeXmlAttr(piece(node.value(), Piece::Text));
        }
        if (node.type() == pugi::node_element && tooDeep(node, depth + 1))
            return {};
        if (node.type() == pugi::node_element && node.first_child()) {
            node = node.first_child();
            ++depth;
            continue;
        }
        // Close the elements that end here, then go on with what follows.
        for (;;) {
            if (node.type() == pugi::node_element) {
                markup += QLatin1StringView("</");
                markup += QString::fromUtf8(node.name());
                markup += u'>';
            }
            if (node.next_sibling() || node.parent() == element)
                break;
            node = node.parent();
            --depth;
        }
        node = node.next_sibling();
    }
    return invalid ? invalidText() : withoutControls(std::move(markup));
}
