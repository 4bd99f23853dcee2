#pragma once

#include "model/editlist.h"

#include <memory>

// A company's news feed as the pictures and the timings show it: every
// channel text filled, an upload folder, a page, and itemCount items whose
// titles, dates and addresses differ.
std::unique_ptr<TEditList> ShowcaseFeed(int itemCount);
