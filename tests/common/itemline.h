#pragma once

#include "core/model/feeditem.h"

#include <QStringList>

// An item on one line, "title|date|url|desc|subject|creator", so that a
// test compares a whole item at once.
inline QString ItemLine(const FeedItem &item)
{
    return QStringList{item.title, item.date, item.url, item.desc, item.subject, item.creator}.join(
        u'|');
}
