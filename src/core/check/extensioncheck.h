#pragma once

#include "core/check/feedfinding.h"

class FeedData;

// What the podcast directories and feed readers refuse in the optional
// parts of a feed: a media file's length that is not a positive byte
// count or a missing type, a cover image (when it is a local file) that is
// not a square JPEG or PNG of 1400 to 3000 pixels, a category not in
// Apple's list, a malformed owner e-mail and a guid used twice.
FeedFindings CheckFeedExtensions(const FeedData &feed);
