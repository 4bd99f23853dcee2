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

    bool operator==(const FeedItem &) const = default;
};
