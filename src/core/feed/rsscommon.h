#pragma once

#include "core/model/feeddata.h"

#include <QList>
#include <QString>

// What the RSS 2.0 and RSS 1.0 writers write alike.

namespace rssnamespace {
inline constexpr char16_t Rss1[] = u"http://purl.org/rss/1.0/";
inline constexpr char16_t Rdf[] = u"http://www.w3.org/1999/02/22-rdf-syntax-ns#";
inline constexpr char16_t DublinCore[] = u"http://purl.org/dc/elements/1.1/";
inline constexpr char16_t Content[] = u"http://purl.org/rss/1.0/modules/content/";
inline constexpr char16_t Itunes[] = u"http://www.itunes.com/dtds/podcast-1.0.dtd";
inline constexpr char16_t Atom[] = u"http://www.w3.org/2005/Atom";
inline constexpr char16_t Enclosure[] = u"http://purl.oclc.org/net/rss_2.0/enc#";
} // namespace rssnamespace

// '  xmlns:prefix="name"' (or '  xmlns="name"' without a prefix).
QString NamespaceLine(const QString &prefix, const char16_t *name);

// The XML declaration and the xml-stylesheet line. styleArgument "*" means
// no stylesheet, empty means the channel's style (a bare file name is made
// relative to the feed with "./"), anything else is the address itself.
void WriteDocumentStart(QString &out, const ChannelSettings &settings,
                        const QString &styleArgument);
// The feed's language, "ja" when it has none.
QString FeedLanguage(const ChannelSettings &settings);
// '  xml:lang="..">', the line that closes the root element's start tag.
QString LanguageLine(const ChannelSettings &settings);

// The items that go into the file, newest (last) first: items with an empty
// title are skipped, and taking stops once rssline items are taken (at
// least one, whatever rssline says).
QList<FeedItem> ItemsToWrite(const FeedData &feed);
// Where those items stand in the feed's list, in the same order.
QList<qsizetype> ItemIndexesToWrite(const FeedData &feed);

// The description element: tags removed and cut to descstrmax characters.
void WriteDescriptionLine(QString &out, int level, const ChannelSettings &settings,
                          const FeedItem &item);
// The content:encoded element with the description as stored, when the
// feed writes bodies.
void WriteContentLine(QString &out, int level, const ChannelSettings &settings,
                      const FeedItem &item);
