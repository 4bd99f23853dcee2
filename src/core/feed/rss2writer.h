#pragma once

#include "core/clock.h"
#include "core/feed/rsstext.h"
#include "core/model/feeddata.h"

// The RSS 2.0 text of a feed, with the clock's time as lastBuildDate.
// styleArgument: empty = the channel's style, "*" = no stylesheet, anything
// else = that stylesheet address. noDuplicates is always true.
RssText WriteRss2(const FeedData &feed, const QString &styleArgument, const Clock &clock);
