#include "app/project/feedtabs.h"

#include "app/editing/defaultspanel.h"
#include "app/editing/feedpagewiring.h"
#include "app/preview/sourceviewpage.h"

namespace {

// Stands in for a page whose feature is not built yet.
QWidget *placeholder(const QString &name, QWidget *parent)
{
    auto *page = new QWidget(parent);
    page->setObjectName(name);
    return page;
}

} // namespace

QWidget *CreateFeedTab(PageFrame::Tab tab, FeedPageWiring &wiring, QWidget *parent)
{
    switch (tab) {
    case PageFrame::ChannelTab:
    case PageFrame::ItemTab:
    case PageFrame::HtmlTab:
        if (QWidget *page = wiring.createTab(tab)) {
            page->setParent(parent);
            return page;
        }
        break;
    case PageFrame::ViewTab:
        return new SourceViewPage(parent);
    case PageFrame::TabCount:
        break;
    }
    return placeholder(QStringLiteral("View_Page"), parent);
}

QWidget *CreateDefaultsPanel(FeedPageWiring &wiring, QWidget *parent)
{
    QWidget *panel = wiring.defaultsPanel();
    panel->setParent(parent);
    return panel;
}
