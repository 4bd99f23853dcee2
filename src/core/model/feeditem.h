#pragma once

#include <QString>

// One item of a feed. Lines of desc are separated by CR LF.
struct FeedItem
{
    QString title;
    QString date;
    QString url;
    QString desc;
    QString subject;
    QString creator;
    // The media file the item carries: its address, its length in bytes
    // (decimal) and its MIME type. Empty when the item has none.
    QString enclosure{};
    QString enclosurelength{};
    QString enclosuretype{};
    // The media file on this computer that the upload sends with the feed
    // when the feed says so; empty when it was typed as an address only.
    QString enclosurefile{};
    // Podcast values, written only when the feed is a podcast: the playing
    // time ("hh:mm:ss" or seconds), the episode number and "true"/"false"
    // (empty: as the channel says).
    QString itunesduration{};
    QString itunesepisode{};
    QString itunesexplicit{};
    // The item's identifier once it has been made; it never changes after.
    QString guid{};

    bool operator==(const FeedItem &) const = default;
};
