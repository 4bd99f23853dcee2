#pragma once

#include "core/check/outputcheck.h"

struct OutputWriters;
class FeedData;

// Generates the feed's RSS file and, when it has one, its page through the
// writers, and checks them; the RSS file's findings end with those of the
// items (CheckFeedItems). Template messages are not shown. An RSS path
// that cannot be resolved is checked as "[ファイル名未解決]".
OutputCheck CheckFeedOutputs(const OutputWriters &writers, const FeedData &feed,
                             const QString &projectFile);
