#pragma once

#include "core/check/feedfinding.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// The elements of a feed file with what the feed rules look at: names,
// lines, the text of leaf elements and the RDF attributes.
struct XmlOutline
{
    QString ns;
    QString name;
    int line = 0;     // where the start tag ends
    QString text;     // trimmed; only for elements without child elements
    QString version;  // the version attribute (the rss root's)
    QString about;    // rdf:about
    QString resource; // rdf:resource
    bool hasAbout = false;
    std::vector<XmlOutline> children;

    // The first child with that namespace and name, or nullptr.
    const XmlOutline *child(QStringView childNs, QStringView childName) const;
    // The text of that child; empty when there is none.
    QString childText(QStringView childNs, QStringView childName) const;
};

// Parses a generated file that must be well-formed XML in UTF-8. A
// document type declaration is refused before anything in it is used, so
// no entity is ever expanded. On failure the reason goes into findings and
// there is no outline.
std::optional<XmlOutline> ReadXmlOutline(const QByteArray &bytes, FeedFindings &findings);
