#include "app/preview/previewwiring.h"

#include "app/common/commandids.h"
#include "app/common/commandset.h"
#include "app/common/userguide.h"
#include "app/preview/browsermodule.h"
#include "app/preview/focusedtext.h"
#include "app/preview/sourceviewpage.h"
#include "core/feed/feedaddresses.h"

#include "app/editing/feedpagewiring.h"
#include "app/editing/itemspage.h"
#include "app/project/pageframe.h"
#include "core/preview/feedcheckservice.h"
#include "core/preview/helpaddresses.h"
#include "core/project/project.h"
#include "core/project/workspace.h"
#include "core/settings/inifile.h"

#include <QApplication>
#include <QMenu>
#include <QShortcut>
#include <QTabWidget>

PreviewWiring::PreviewWiring(QWidget &window, Workspace &workspace, CommandSet &commands,
                             PageFrame &pages, FeedPageWiring &feedPages, QMenu &functionMenu)
    : QObject(&window), m_window(window), m_workspace(workspace), m_commands(commands),
      m_pages(pages), m_feedPages(feedPages),
      m_sourcePage(qobject_cast<SourceViewPage *>(pages.tabContent(PageFrame::ViewTab))),
      m_makeBrowser(BrowserModuleFactory())
{
    setObjectName(QStringLiteral("PreviewWiring"));
    IniFile ini;
    ini.load(SettingsFilePath(workspace.folders));
    m_feedCheckService = ReadFeedCheckService(ini);

    defineCommands();
    defineHelpCommands();

    connect(&functionMenu, &QMenu::aboutToShow, this, &PreviewWiring::updateFunctionMenu);
    connect(pages.tabs(), &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == PageFrame::ViewTab)
            showSource();
    });
    // A source view left open follows the feed chosen in the tree.
    connect(&pages, &PageFrame::nodeShown, this, [this] {
        if (m_pages.tabs()->currentIndex() == PageFrame::ViewTab)
            showSource();
    });
    if (m_sourcePage)
        connect(m_sourcePage, &SourceViewPage::viewChosen, this, &PreviewWiring::showSource);
}

FeedPreviews &PreviewWiring::previews()
{
    if (!m_previews) {
        // Made when first needed, so the address history read at the first
        // showing of the window is there.
        m_previews = new FeedPreviews(
            m_workspace.ui, *m_sourcePage,
            [this](QWidget *parent) { return m_makeBrowser(parent); },
            m_workspace.settings.addresses, this);
        connect(m_previews, &FeedPreviews::pasteRequested, this, [this](const QString &address) {
            PasteIntoFocusedControl(m_window.focusWidget(), address);
        });
    }
    return *m_previews;
}

FeedPreviews::Selection PreviewWiring::selection()
{
    m_feedPages.itemsPage()->leaveLineMode();
    const Project &project = m_workspace.project;
    const ProjectNode *node = project.currentNode();
    return {node && node->isFeed() ? node->data() : nullptr, project.fileName(),
            m_workspace.folders.data};
}

void PreviewWiring::defineCommands()
{
    CommandSet &c = m_commands;
    // The rules read the pages as typed: the node is stale meanwhile.
    auto feedShown = [this] { return m_feedPages.toolState().rss; };
    auto pageShown = [this] { return m_feedPages.toolState().html; };
    auto rss = [this] { previews().rssPreview(selection()); };
    auto html = [this] { previews().htmlPreview(selection()); };
    auto sitePage = [this] {
        const FeedPreviews::Selection chosen = selection();
        const QString address = chosen.feed ? SitePageAddress(chosen.feed->settings) : QString();
        if (address.isEmpty())
            QApplication::beep();
        else
            previews().openAddress(address, true);
    };
    // The menu entries are shown only while their buttons are enabled; with
    // no feed they say so themselves.
    const CommandSet::PageUse stored = CommandSet::StorePagesFirst;
    c.define(CommandId::previewRss, rss, {}, stored);
    c.define(CommandId::previewRssButton, rss, feedShown, stored);
    c.define(CommandId::previewHtml, html, {}, stored);
    c.define(CommandId::previewHtmlButton, html, pageShown, stored);
    // The tree's double click runs the menu entry: it beeps without a page.
    c.define(CommandId::previewSitePage, sitePage, {}, stored);
    c.define(CommandId::previewSitePageButton, sitePage, pageShown, stored);
    c.define(
        CommandId::previewAddress,
        [this] {
            const QString focused = FocusedControlText(m_window.focusWidget());
            const FeedPreviews::Selection chosen = selection();
            previews().openAddress(
                AddressPreviewTarget(focused, chosen.feed ? &chosen.feed->settings : nullptr),
                true);
        },
        {}, stored);
    c.define(
        CommandId::previewFeedCheck,
        [this] {
            const FeedPreviews::Selection chosen = selection();
            // The findings are listed in the tab; opening it shows the
            // source first, which the check then replaces.
            m_pages.tabs()->setCurrentIndex(PageFrame::ViewTab);
            previews().feedAnalysis(chosen, m_feedCheckService);
        },
        [this] { return m_feedPages.toolState().feedCheck; }, stored);
}

void PreviewWiring::defineHelpCommands()
{
    CommandSet &c = m_commands;
    c.define(CommandId::helpManual,
             [this] { previews().openAddress(ProductManualAddress(), true); });
    c.define(CommandId::helpHomePage,
             [this] { previews().openAddress(ProductHomePageAddress(), true); });
    // The guide installed with the program, in the default browser: its
    // start page, and as the readme its page about the program.
    auto guide = [this](const QString &page) {
        return [this, page] { OpenGuidePage(m_workspace.ui, page); };
    };
    c.define(CommandId::helpGuide, guide(QStringLiteral("index.html")));
    c.define(CommandId::helpReadme, guide(QStringLiteral("readme.html")));
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), &m_window);
    help->setObjectName(QStringLiteral("Shortcut_F1"));
    connect(help, &QShortcut::activated, this,
            [this] { m_commands.trigger(CommandId::helpManual); });
}

void PreviewWiring::showSource()
{
    if (!m_sourcePage)
        return;
    // A tab or a node shown, not a command: the pages are stored here.
    m_pages.storeCurrentNode();
    previews().showSource(selection(), m_sourcePage->view());
}

void PreviewWiring::updateFunctionMenu()
{
    CommandSet &c = m_commands;
    using namespace CommandId;
    for (const auto &[entry, button] :
         {std::pair{previewRss, previewRssButton}, std::pair{previewHtml, previewHtmlButton},
          std::pair{previewSitePage, previewSitePageButton}}) {
        if (QAction *action = c.action(entry))
            action->setVisible(c.isEnabled(button));
    }
}

void PreviewWiring::windowClosing()
{
    if (!m_previews)
        return;
    if (PreviewWindow *form = m_previews->form(); form && form->isVisible())
        form->close();
    m_workspace.settings.addresses = m_previews->history();
}

void PreviewWiring::settingsWritten()
{
    const QString path = SettingsFilePath(m_workspace.folders);
    IniFile ini;
    ini.load(path);
    WriteFeedCheckService(ini, m_feedCheckService);
    ini.save(path);
}
