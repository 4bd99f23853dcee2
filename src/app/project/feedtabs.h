#pragma once

#include "app/project/pageframe.h"

class FeedPageWiring;
class QWidget;

// The one place where the contents of the feed tabs and the defaults panel
// are made. A page that implements NodePage is bound to the current node.
QWidget *CreateFeedTab(PageFrame::Tab tab, FeedPageWiring &wiring, QWidget *parent);
QWidget *CreateDefaultsPanel(FeedPageWiring &wiring, QWidget *parent);
