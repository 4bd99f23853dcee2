#pragma once

#include "core/check/feedfinding.h"

class FeedData;

// What readers trip over in the items a feed writes, which the written file
// no longer shows: a date that cannot be read (the writers leave it out),
// and a body with a bare "&" or with tags that do not pair up (readers and
// the page show it as broken HTML). Warnings, each with the item's row.
FeedFindings CheckFeedItems(const FeedData &feed);

// Why the date typed into the grid will not be written; empty when it can
// be read or is empty.
QString ItemDateWarning(const QString &date);
