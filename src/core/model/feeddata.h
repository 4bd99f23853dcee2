#pragma once

#include "core/model/channelsettings.h"
#include "core/model/feeditem.h"

#include <QList>

// A feed's data: its items, its changed mark and its channel settings.
class FeedData
{
public:
    static constexpr int MaxItems = 100;

    QList<FeedItem> items;
    // Edits not yet uploaded. Never stored in the project file.
    bool changed = false;
    ChannelSettings settings;

    // Appends a copy of the item and returns its index.
    int addItem(const FeedItem &item)
    {
        items.append(item);
        return int(items.size()) - 1;
    }
    FeedItem item(int index) const { return items.at(index); }
};
