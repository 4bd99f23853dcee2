#pragma once

#include "core/feed/itemguid.h"
#include "core/model/feeddata.h"

#include <QList>
#include <QString>

// The optional parts of the feeds: media files (enclosures), the podcast
// tags of the itunes namespace, the feed's link to itself and the item
// guids. Each is written only when the feed or the item uses it, so that a
// feed that uses none is written as before.

// The namespace lines the RSS 2.0 root needs for them.
void WriteRss2ExtensionNamespaces(QString &out, const ChannelSettings &settings);
// atom:link rel="self" and the channel's itunes tags, at the channel's level.
void WriteRss2ChannelExtensions(QString &out, const ChannelSettings &settings);
// guid (when given), enclosure and the item's itunes tags.
void WriteRss2ItemExtensions(QString &out, const ChannelSettings &settings, const FeedItem &item,
                             const WrittenGuid *guid);

// RSS 1.0 carries media files as mod_enclosure's enc:enclosure.
bool AnyEnclosure(const QList<FeedItem> &items);
void WriteRss1Enclosure(QString &out, const FeedItem &item);
