#pragma once

#include "core/clock.h"
#include "core/feed/rsstext.h"
#include "core/model/feeddata.h"

// The RSS 1.0 (RDF) text of a feed, with the clock's time as the channel's
// dc:date. rssFilePath is the local RSS path; only its file name is used,
// for the feed's own address. styleArgument as for WriteRss2.
// noDuplicates is false when two written items have the same link and date
// (compared ignoring case), so they would name the same RDF resource.
RssText WriteRss1(const FeedData &feed, const QString &rssFilePath, const QString &styleArgument,
                  const Clock &clock);
