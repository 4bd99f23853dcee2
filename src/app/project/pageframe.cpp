#include "app/project/pageframe.h"

#include "app/project/nodepage.h"
#include "core/model/projectnode.h"
#include "core/project/project.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct TabSheet
{
    const char16_t *name;
    const char16_t *caption;
};

// The captions keep their spaces: they are the tabs' own texts.
constexpr std::array<TabSheet, PageFrame::TabCount> tabSheets = {{
    {u"TabSheet_Sub_Channel", u" 基本設定"},
    {u"TabSheet_Sub_Item", u" 項目 "},
    {u"TabSheet_Sub_Html", u" HTMLテンプレート "},
    {u"TabSheet_Sub_View", u" 確認 "},
}};

QWidget *sheetAround(QWidget *content, const QString &name)
{
    auto *sheet = new QWidget;
    sheet->setObjectName(name);
    auto *layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    content->setParent(sheet);
    layout->addWidget(content);
    return sheet;
}

} // namespace

PageFrame::PageFrame(Project &project, const Contents &contents, QWidget *parent)
    : QStackedWidget(parent), m_project(project), m_projectPage(new QWidget(this)),
      m_defaults(contents.defaults), m_tabs(new QTabWidget(this)), m_contents(contents.tabs)
{
    setObjectName(QStringLiteral("PL_Pages"));

    m_projectPage->setObjectName(QStringLiteral("PL_Project"));
    auto *projectLayout = new QVBoxLayout(m_projectPage);
    projectLayout->addWidget(m_defaults, 1);
    addWidget(m_projectPage);

    m_tabs->setObjectName(QStringLiteral("PageControl_Sub"));
    for (int tab = 0; tab < TabCount; ++tab) {
        const TabSheet &sheet = tabSheets[size_t(tab)];
        m_tabs->addTab(sheetAround(m_contents[size_t(tab)], QString::fromUtf16(sheet.name)),
                       QString::fromUtf16(sheet.caption));
    }
    m_tabs->setCurrentIndex(ItemTab);
    addWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &PageFrame::statusChanged);
}

template <typename Visit> void PageFrame::forEachPage(Visit visit) const
{
    for (QWidget *content : m_contents) {
        if (auto *page = dynamic_cast<NodePage *>(content))
            visit(*page);
    }
}

void PageFrame::switchNode(ProjectNode *node)
{
    ProjectNode *old = m_project.currentNode();
    if (old && old != node)
        storeCurrentNode();
    m_project.setCurrentNode(node);
    if (node && node->isFeed()) {
        forEachPage([node](NodePage &page) { page.showNode(*node); });
        setCurrentWidget(m_tabs);
    } else {
        setCurrentWidget(m_projectPage);
    }
    Q_EMIT statusChanged();
    Q_EMIT nodeShown();
}

void PageFrame::storeCurrentNode()
{
    ProjectNode *node = m_project.currentNode();
    if (node && node->isFeed())
        forEachPage([node](NodePage &page) { page.storeNode(*node); });
}

std::optional<FeedData> PageFrame::peekCurrentNode() const
{
    const ProjectNode *node = m_project.currentNode();
    if (!node || !node->isFeed())
        return std::nullopt;
    ProjectNode copy(node->text, node->kind, std::make_unique<FeedData>(*node->data()));
    forEachPage([&copy](const NodePage &page) { page.peekNode(copy); });
    return *copy.data();
}

void PageFrame::resetPages()
{
    forEachPage([](NodePage &page) { page.resetPage(); });
}

QString PageFrame::statusText() const
{
    const ProjectNode *node = m_project.currentNode();
    if (!node || !node->isFeed())
        return Project::defaultRootName();
    const int tab = m_tabs->currentIndex();
    if (auto *page = dynamic_cast<NodePage *>(m_contents[size_t(tab)])) {
        if (const QString text = page->statusText(); !text.isEmpty())
            return text;
    }
    return m_tabs->tabText(tab).trimmed();
}
