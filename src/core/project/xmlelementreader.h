#pragma once

#include "xmlelement.h"

#include <QXmlStreamReader>
#include <optional>

// Reads a document element by element on QXmlStreamReader: a caller either
// steps into an element's children one by one or takes the whole element as
// a record, so that a large document never has to be held as a tree.
//
// Values (attribute values, text and CDATA pieces) are cleaned on the way:
// controls other than TAB, LF and CR are removed, and a piece that held an
// invalid UTF-8 sequence reads as InvalidText. In a CDATA text, numeric
// character references ("&#9733;", "&#x2605;") become the characters they
// name. Comments and processing instructions are dropped. An element whose
// `type` attribute is "xhtml" keeps the markup of its content as its plain
// text instead of child records.
//
// Nothing outside the document is ever read: external entities and outside
// DTDs are not loaded, and a document that declares entities is refused, so
// that no expansion can blow up. Elements nested deeper than MaxDepth are
// refused too, since callers descend them recursively.
class XmlElementReader
{
public:
    static constexpr int MaxDepth = 1000;
    static QString invalidText() { return QStringLiteral("不正な文字コードが含まれています"); }

    // Reads the document from the device, which must stay open while the
    // reader is used. invalidMarker is the character that stands for invalid
    // UTF-8 sequences (see PrepareXmlInput); null when there are none.
    XmlElementReader(QIODevice &device, QChar invalidMarker);

    // Moves to the next child element of the element the reader stands in
    // (at the start: to the document element). False when there are no more
    // children, after which the reader stands in the parent again.
    bool nextChild();
    // The element nextChild stopped at.
    QStringView name() const { return m_xml.name(); }
    // The cleaned value of the attribute with that name, compared like
    // SameXmlName; nothing when the element has no such attribute.
    std::optional<QString> attribute(QLatin1StringView attributeName) const;
    bool isXhtml() const;

    // The element nextChild stopped at, with everything inside it.
    XmlElement readElement();
    void skipElement();

    bool hasError() const { return m_xml.hasError(); }
    QString errorString() const { return m_xml.errorString(); }
    qint64 lineNumber() const { return m_xml.lineNumber(); }

private:
    // Counts the element just started; false (with an error) when it lies
    // too deep.
    bool enterElement();
    QString cleanPiece(QString piece, bool decodeReferences) const;
    QString readMarkup();

    QChar m_invalidMarker;
    QXmlStreamReader m_xml;
    int m_depth = 0; // elements open at the current token
};
