#include "app/editing/feedpages.h"

#include "app/editing/channelpage.h"
#include "app/html/htmltemplatepage.h"
#include "core/html/htmlpage.h"
#include "core/html/templatefiledialogs.h"
#include "core/project/project.h"
#include "core/publish/ftptemplatefolder.h"

FeedPages::FeedPages(Project &project, UserInterface &ui, FolderPaths folders, QObject *parent)
    : QObject(parent), m_project(project), m_ui(ui), m_folders(std::move(folders)),
      m_channel(new ChannelPage), m_html(new HtmlTemplatePage)
{
    m_channel->setBrowsing(&ui, m_folders.project);
    connect(m_channel, &ChannelPage::contentEdited, this, &FeedPages::contentEdited);
    connect(m_channel, &ChannelPage::settingEdited, this, &FeedPages::settingEdited);
    connect(m_channel, &ChannelPage::toolStateChanged, this, &FeedPages::applyToolState);
    connect(m_html, &HtmlTemplatePage::contentEdited, this, &FeedPages::contentEdited);
    connect(m_html, &HtmlTemplatePage::toolStateChanged, this, &FeedPages::applyToolState);
    connect(m_html, &HtmlTemplatePage::extensionChosen, this, &FeedPages::refreshPageAddress);
    connect(m_html, &HtmlTemplatePage::saveTemplateRequested, this, &FeedPages::saveTemplateFile);
    connect(m_html, &HtmlTemplatePage::loadTemplateRequested, this, &FeedPages::loadTemplateFile);
    resetPages();
}

FeedPages::~FeedPages()
{
    for (QWidget *page : {static_cast<QWidget *>(m_channel), static_cast<QWidget *>(m_html)})
        if (page && !page->parent())
            delete page;
}

ChannelPage *FeedPages::channelPage() const
{
    return m_channel;
}

HtmlTemplatePage *FeedPages::htmlPage() const
{
    return m_html;
}

void FeedPages::showValues(const FeedPageValues &values)
{
    m_channel->showValues(values);
    m_html->showValues(values);
    refreshPageAddress();
    applyToolState();
}

void FeedPages::resetPages()
{
    showValues(ResetPages(m_project.defaults, FtpTemplateNames(m_folders.ftpTemplate)));
}

void FeedPages::showNode(ProjectNode &node)
{
    m_node = &node;
    if (node.isFeed())
        showValues(ShowNode(node.data()->settings, FtpTemplateNames(m_folders.ftpTemplate)));
}

void FeedPages::storeNode(ProjectNode &node) const
{
    if (FeedData *feed = node.data())
        StoreNode(liveValues(), *feed);
}

ProjectNode *FeedPages::shownFeed() const
{
    // The node shown is compared, never read, until it is known to be the
    // current one: a deleted feed is no longer current.
    ProjectNode *current = m_project.currentNode();
    return current == m_node && current && current->isFeed() ? current : nullptr;
}

FeedPageValues FeedPages::liveValues() const
{
    FeedPageValues values;
    m_channel->storeValues(values);
    m_html->storeValues(values);
    return values;
}

ToolState FeedPages::toolState() const
{
    const ProjectNode *feed = shownFeed();
    const bool isFeed = feed != nullptr;
    return UpdateToolState(isFeed, liveValues(), m_project.root().childCount() == 0);
}

void FeedPages::applyToolState()
{
    m_channel->setHtmlLabelEnabled(liveValues().settings.html);
    Q_EMIT toolStateChanged();
}

void FeedPages::contentEdited()
{
    m_project.setModified(true);
    ProjectNode *feed = shownFeed();
    if (!feed)
        return;
    // The mark follows what the pages say now; the node learns the rest when
    // it is stored.
    const FeedPageValues live = liveValues();
    ChannelSettings &stored = feed->data()->settings;
    stored.ftptemplate = live.settings.ftptemplate;
    stored.ftpfolder = live.settings.ftpfolder;
    m_project.setChanged(*feed, CanUpload(live));
}

void FeedPages::settingEdited()
{
    m_project.setModified(true);
    if (ProjectNode *feed = shownFeed())
        storeNode(*feed);
}

void FeedPages::refreshFtpTemplates()
{
    const QString chosen = liveValues().settings.ftptemplate;
    const QList<FtpTemplateEntry> entries =
        FtpTemplateEntries(FtpTemplateNames(m_folders.ftpTemplate), chosen);
    m_channel->setFtpEntries(entries, FtpTemplateIndex(entries, chosen));
    applyToolState();
}

void FeedPages::refreshPageAddress()
{
    const HtmlPageAddressLabel label = PageAddressLabel(liveValues().settings);
    m_html->setPageAddress(label.text, label.enabled);
}

void FeedPages::saveTemplateFile()
{
    const ChannelSettings live = liveValues().settings;
    const std::optional<QString> caption =
        shownFeed() ? std::optional<QString>(shownFeed()->text) : std::nullopt;
    SaveTemplateFile(m_ui, m_folders.htmlTemplate, caption,
                     {live.htmlext, live.htmlmark, live.htmllabel}, live.htmlscript);
}

void FeedPages::loadTemplateFile()
{
    const std::optional<HtmlTemplateFile> file = LoadTemplateFile(m_ui, m_folders.htmlTemplate);
    if (!file)
        return;
    if (file->settings)
        m_channel->setHtmlLabel(file->settings->htmllabel);
    m_html->loadTemplate(file->settings.value_or(HtmlTemplateSettings()),
                         file->settings.has_value(), file->script);
    refreshPageAddress();
}
