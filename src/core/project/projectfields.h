#pragma once

#include "core/model/channelsettings.h"
#include "core/model/feeditem.h"

#include <QLatin1StringView>
#include <span>

// The elements of a feed and of an item in the project file, in the order
// they are written, with the fields they hold.

struct ChannelField
{
    enum Type
    {
        Text,      // plain text, escaped and trimmed when written
        MultiLine, // CDATA text, lines separated by CR LF
        Integer,   // decimal: a number, or a choice by its number
        Switch,    // "1" or "0"
    };

    QLatin1StringView name;
    Type type;
    QString ChannelSettings::*text = nullptr;
    // An Integer field's number, read and set through the field's own type.
    int (*number)(const ChannelSettings &) = nullptr;
    void (*setNumber)(ChannelSettings &, int) = nullptr;
    bool ChannelSettings::*flag = nullptr;
    bool writtenForFeed = true; // memo belongs to the project defaults only
    // Switches that came after the first files are left out while off, so
    // that a project that does not use them keeps its bytes.
    bool leftOutWhenOff = false;
};

struct ItemField
{
    QLatin1StringView name;
    QString FeedItem::*text;
    bool multiLine = false;
};

std::span<const ChannelField> ChannelFields();
std::span<const ItemField> ItemFields();
