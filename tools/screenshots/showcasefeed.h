#pragma once

#include "core/model/feeddata.h"

#include "app/project/pageframe.h"

#include <QString>
#include <functional>
#include <memory>

class QWidget;

// A company's news feed as the pictures and the timings show it: every
// channel text filled, an upload folder, a page, and itemCount items whose
// titles, dates and addresses differ.
std::unique_ptr<FeedData> ShowcaseFeed(int itemCount);

// A shot's maker: the main window (1100 x 760) on a project "サイト" holding
// one feed, selected, with its tab shown; the feed comes from makeFeed.
std::function<std::unique_ptr<QWidget>(const QString &)>
WindowOnFeedTab(const QString &feedName, std::function<std::unique_ptr<FeedData>()> makeFeed,
                PageFrame::Tab tab);
