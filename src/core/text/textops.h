#pragma once

#include <QString>
#include <QStringList>

// Text operations shared by the project file, the feed writers, the HTML
// pages, the item grid and the table import. Every function takes its input
// by value and keeps no state. Character counts and positions count code
// points, so a character outside the Basic Multilingual Plane counts once.

// "&", "<", ">" to entities ("&" first, so produced entities are not escaped
// again). With keepCharRefs, an "&" that starts a decimal numeric character
// reference ("&#" digits, then ";" or the end of the text) stays as it is.
QString EscapeXmlText(const QString &text, bool keepCharRefs = false);
// "&", "<", ">" and the double quote to entities.
QString EscapeXmlAttr(const QString &text);
// The same as EscapeXmlAttr.
QString EscapeMarkup(const QString &text);
// Decodes "&gt;", "&lt;", "&amp;", each in one pass, so "&amp;lt;" gives "&lt;".
QString UnescapeXmlText(const QString &text);
// Decodes "&amp;", "&lt;", "&gt;", "&quot;", "&hellip;" (repeatedly, so
// "&amp;lt;" gives "<"), then "&nbsp;" to a space.
QString UnescapeMarkup(const QString &text);
// Removes everything from "<" to the next ">" and decodes with
// UnescapeMarkup; a text without "<" comes back unchanged.
QString StripTags(const QString &text);
// StripTags, then cut to limit characters followed by " ..." when longer;
// limit 0 or below means no limit.
QString ShapeDescription(const QString &text, int limit);
// Removes controls and spaces (code up to 0x20) from both ends, then runs
// of spaces and ideographic spaces (U+3000).
QString TrimWide(const QString &text);
// The first entry that is not blank, trimmed; empty when all are blank.
QString FirstNonBlank(const QStringList &entries);
// Appends "/" unless the text has 3 characters or fewer or already ends in "/".
QString AddUrlSlash(const QString &text);
// Appends the platform's path separator under the same rule as AddUrlSlash.
QString AddPathDelimiter(const QString &text);
// "bk" + the date text without spaces, "-" and ":".
QString ItemAnchor(const QString &date);
// The text with the ASCII letters A to Z lower-cased; nothing else changes.
QString AsciiLower(const QString &text);
// Appends the decimal value, padded with zeros to at least that many
// digits. For the fields of dates, which are never negative.
void AppendDecimal(QString &out, int value, int digits);
// Number of characters (code points).
int CharCount(const QString &text);
// At most count characters from the first (1-based).
QString CopyChars(const QString &text, int first, int count);
// The same characters as a view into the text.
QStringView CharsView(const QString &text, int first, int count);
// Appends "<name>value</name>" at 2 × level spaces with CR LF. A plain value
// is escaped and trimmed, a CDATA value is written as it is; an empty value
// writes nothing.
void WriteElementLine(QString &out, int level, const QString &name, const QString &value,
                      bool asCData = false);
// Appends the line and CR LF unless the line is blank after TrimWide.
void WriteLine(QString &out, const QString &line);
