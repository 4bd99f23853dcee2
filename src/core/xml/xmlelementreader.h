#pragma once

#include "core/xml/xmldocument.h"
#include "core/xml/xmlelement.h"

#include <optional>
#include <vector>

// Reads a parsed document element by element: a caller either steps into an
// element's children one by one or takes the whole element as a record.
// Elements are passed in document order, and what has been passed is given
// back to the system, so that a large document is not held beside the tree
// that is made of it.
//
// Values (attribute values, text and CDATA pieces) are decoded and cleaned
// on the way: references to the five predefined entities and numeric
// character references decode, line ends become LF, controls other than TAB,
// LF and CR are removed, and a piece that holds an invalid UTF-8 sequence
// reads as invalidText. In a CDATA text, numeric character references
// ("&#9733;", "&#x2605;") become the characters they name too. Comments and
// processing instructions are dropped. An element whose `type` attribute is
// "xhtml" keeps the markup of its content as its plain text instead of child
// records.
//
// A reference to an entity that nothing declares is refused, and so are
// elements nested deeper than MaxDepth, since callers descend them
// recursively. Names are compared without their namespace prefix.
class XmlElementReader
{
public:
    static constexpr int MaxDepth = 1000;
    static QString invalidText() { return QStringLiteral("不正な文字コードが含まれています"); }

    // The document must outlive the reader.
    explicit XmlElementReader(XmlDocument &document);

    // Moves to the next child element of the element the reader stands in
    // (at the start: to the document element). False when there are no more
    // children, after which the reader stands in the parent again.
    bool nextChild();
    // The name of the element nextChild stopped at, without its prefix;
    // valid until the reader moves on.
    QStringView name() const;
    // The same as the parser's UTF-8 bytes, for comparing without making
    // text of it.
    QByteArrayView localName() const;
    // The cleaned value of the attribute with that name, compared like
    // SameXmlName; nothing when the element has no such attribute.
    std::optional<QString> attribute(QLatin1StringView attributeName);
    bool isXhtml();

    // The element nextChild stopped at, with everything inside it.
    XmlElement readElement();
    // Its plain text as readElement gives it; an element that holds one
    // text piece and nothing else, the usual value, is read without making
    // a record.
    QString readText();
    // The bytes of its only piece, as they stand in the document, when that
    // is a CDATA section and the element holds nothing else; the reader
    // stays at the element.
    std::optional<QByteArrayView> soleCData() const;
    void skipElement();

    // A fault of the document: its own (see XmlDocument) or one found while
    // reading; the earliest one the reader knows.
    bool hasError() const { return !m_error.isEmpty() || !m_document.fault().isEmpty(); }
    QString errorString() const;
    qint64 lineNumber() const;

private:
    enum class Piece
    {
        Text,
        Attribute,
        CData
    };

    struct Frame
    {
        pugi::xml_node element;
        pugi::xml_node child; // the child last stepped to; null before the first
    };

    XmlElement readElement(pugi::xml_node element, int depth);
    QString readMarkup(pugi::xml_node element, int depth);
    // The piece's text; invalidText when it holds invalid UTF-8. A
    // reference to an undeclared entity raises the error. hasControl tells
    // whether the text holds a control that cleaning removes.
    QString decodePiece(const char *raw, Piece kind, bool &hasControl);
    // The bytes as text; invalidText when they are not valid UTF-8.
    QString utf8Text(QByteArrayView bytes, bool &hasControl);
    QString cleanPiece(const char *raw, Piece kind, bool decodeReferences = false);
    void raiseError(const QString &error, const char *position);
    bool tooDeep(pugi::xml_node element, int depth);

    XmlDocument &m_document;
    std::vector<Frame> m_frames;
    const char *m_rawName = "";
    mutable QString m_name; // made from m_rawName when asked for
    QString m_error;
    qsizetype m_errorOffset = 0;
};
