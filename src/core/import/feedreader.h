#pragma once

#include "core/model/feeddata.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

// What an import left out, for the report the user sees afterwards.
struct FeedImportReport
{
    int omittedItems = 0;        // older items past the feed's limit
    QStringList unreadableDates; // date texts of items kept without a date
    int unknownElements = 0;     // elements of the channel and items not taken
};

struct ImportedFeed
{
    // Empty when the document cannot be taken; error then says why.
    std::optional<FeedData> feed;
    FeedImportReport report;
    QString error;
};

// Reads an RSS 0.91, 0.92 or 2.0, RSS 1.0 (RDF) or Atom 1.0 document in any
// character set it declares (see feedencoding.h) into a new feed: the
// channel settings it names, and its newest FeedData::MaxItems items
// stored oldest first, as the item grid holds them. Item bodies are HTML:
// content:encoded, else description, else Atom's content or summary, where
// an Atom text of type "text" is escaped. Dates become item dates on the
// clock of the feeds' zone. The XML is read as the project file is: no
// entity is ever expanded, a document that declares any is refused, nesting
// is limited. A document that is no feed or not well-formed gives no feed
// and one message naming the line.
ImportedFeed ReadFeedDocument(const QByteArray &bytes);
