#pragma once

#include "core/clock.h"
#include "core/model/feeddata.h"

#include <functional>

// A small feed of a Japanese site, for the feed writer tests: filename
// "news", root "http://example.jp/site/", no src and no link, an HTML page
// (".html") that labels items without a link, content off, no logo,
// language "ja". Two items: the older "秋のセール" with its own link, the
// newer "新商品" dated "2005-12-01 10:00:00" without a link.
FeedData exampleFeed();

// The example feed as a podcast with every optional part on: podcast tags
// (category Arts/Books), the self link and guids; both items carry an MP3,
// and a third item "再放送" shares the sale's link, so it gets a tag guid.
FeedData examplePodcastFeed();

// The moment the example feeds are written: 2026-12-06 09:05:07 local time.
Clock exampleClock();

// A change to a feed, for data-driven rows.
using FeedEdit = std::function<void(FeedData &)>;
Q_DECLARE_METATYPE(FeedEdit)
