#pragma once

#include "core/clock.h"
#include "core/model/feeddata.h"

#include <QList>
#include <QString>

// The guid an item is written with: its link, a permanent address, when no
// other written item has that link; otherwise its own "tag:" identifier.
struct WrittenGuid
{
    QString value;
    bool permaLink = false;
};

// The guids of the items at indexes (ItemIndexesToWrite), in that order.
// An item without a stored identifier is given the one that
// AssignItemGuids would store for it.
QList<WrittenGuid> WrittenGuids(const FeedData &feed, const QList<qsizetype> &indexes,
                                const Clock &clock);

// Gives every titled item of a feed that writes guids the identifier it
// keeps from then on: "tag:" + the feed address's host + "," + the day the
// item was made + ":" + the address's path + "/" + the moment it was made
// (its date when that can be read, else the clock's time), with "-2",
// "-3"... when another item of the feed has it already. Items that have one
// keep it. Returns how many were given one.
int AssignItemGuids(FeedData &feed, const Clock &clock);
