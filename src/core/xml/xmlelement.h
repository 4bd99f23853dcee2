#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <vector>

// True when an XML name equals the expected lower-case ASCII name, ignoring
// ASCII letter case and surrounding white space ("NODE " matches "node").
// Only ASCII letters fold, so no other character can pass for a letter.
bool SameXmlName(QStringView name, QLatin1StringView expected);
// The same for a name as the parser's UTF-8 bytes.
bool SameXmlName(QByteArrayView name, QLatin1StringView expected);

struct XmlAttribute
{
    QString name;
    QString value;
};

// One element of a document as a record. An element without any CDATA
// section has its text pieces joined as its plain text and an empty CDATA
// text; an element with at least one CDATA section has an empty plain text
// and all its pieces, text and CDATA, joined in order as its CDATA text.
struct XmlElement
{
    QString name;
    QList<XmlAttribute> attributes; // in document order
    QString text;
    QString cdata;
    std::vector<XmlElement> children;
};
