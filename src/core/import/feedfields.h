#pragma once

#include "core/import/feedreader.h"
#include "core/xml/xmlelement.h"

#include <QDateTime>
#include <vector>

enum class FeedFormat
{
    Rss,
    Rdf,
    Atom
};

// Gathers what a feed document's elements say into a new feed. Each
// element of the channel (or Atom feed) and each item (or entry) comes
// whole; what is not taken is counted for the report.
class FeedFields
{
public:
    explicit FeedFields(FeedFormat format);

    void takeLanguage(const QString &language);
    void takeChannelElement(const XmlElement &element);
    void takeItem(const XmlElement &element);

    // The feed with its newest items, oldest first.
    FeedData finish(FeedImportReport &report);

    // What an item says before its body and date are chosen. Enclosures and
    // the podcast tags would be kept here, beside the body, by rows of their
    // own in the item field table.
    struct ItemDraft
    {
        FeedItem item;
        QString encoded, description, content, summary;
        QString published, updated;
    };

private:
    struct DatedItem
    {
        FeedItem item;
        std::optional<QDateTime> instant;
    };

    FeedFormat m_format;
    ChannelSettings m_settings;
    bool m_hasContent = false;
    std::vector<DatedItem> m_items;
    FeedImportReport m_report;
};
