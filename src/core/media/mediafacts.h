#pragma once

#include "core/model/channelsettings.h"
#include "core/net/httprequest.h"

#include <QString>
#include <QUrl>

// What an item needs to know of its media file: where readers fetch it, its
// length in bytes and its MIME type.
struct MediaFacts
{
    QString address{};
    QString length{};
    QString type{};
    QString error{}; // empty when the facts were found
};

// A media file on this computer: its length and its type (from its name),
// and the address it gets beside the feed's RSS file once uploaded there.
// The address is empty when the feed has no address yet.
MediaFacts LocalMediaFacts(const QString &path, const ChannelSettings &settings);

// Asks the server for the length and type of the file at address without
// fetching it (an HTTP HEAD request), giving up after the idle time.
MediaFacts ProbeMediaAddress(const QUrl &address, const HttpLimits &limits = {10000, 5});
