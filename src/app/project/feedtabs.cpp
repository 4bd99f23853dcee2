#include "feedtabs.h"

#include "preview/sourceviewpage.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Stands in for a page whose feature is not built yet.
QWidget *placeholder(const QString &name, QWidget *parent)
{
    auto *page = new QWidget(parent);
    page->setObjectName(name);
    return page;
}

} // namespace

QWidget *CreateFeedTab(PageFrame::Tab tab, QWidget *parent)
{
    switch (tab) {
    case PageFrame::ChannelTab:
        return placeholder(QStringLiteral("Channel_Page"), parent);
    case PageFrame::ItemTab:
        return placeholder(QStringLiteral("Item_Page"), parent);
    case PageFrame::HtmlTab:
        return placeholder(QStringLiteral("Html_Page"), parent);
    case PageFrame::ViewTab:
        return new SourceViewPage(parent);
    case PageFrame::TabCount:
        break;
    }
    return placeholder(QStringLiteral("View_Page"), parent);
}

QWidget *CreateDefaultsPanel(QWidget *parent)
{
    auto *panel = new QGroupBox(QStringLiteral("初期値"), parent);
    panel->setObjectName(QStringLiteral("GB_Defaults"));
    return panel;
}
