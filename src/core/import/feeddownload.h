#pragma once

#include "core/net/httprequest.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

// The most a feed document may hold, read from a file or an address.
constexpr qint64 MaxFeedBytes = 20 * 1024 * 1024;

using FeedDownloadLimits = HttpLimits;

struct FeedDownload
{
    QByteArray bytes;
    QString error; // empty when the bytes arrived whole
};

// Fetches an http or https address, following redirects up to the limit
// (never from https back to http) and stopping once more than MaxFeedBytes
// arrive. Waits in an event loop of its own, so a window stays painted.
FeedDownload DownloadFeed(const QUrl &address, const FeedDownloadLimits &limits = {});

// Whether the text names an address to fetch rather than a file.
bool IsFeedAddress(const QString &text);
