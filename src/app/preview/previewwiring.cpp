#include "app/preview/previewwiring.h"

#include "app/commandset.h"
#include "app/editorform.h"
#include "app/preview/browsermodule.h"
#include "app/preview/focusedtext.h"
#include "app/preview/sourceviewpage.h"
#include "app/userguide.h"

#include "app/project/pageframe.h"
#include "app/project/projecttreeview.h"
#include "core/preview/feedcheckservice.h"
#include "core/preview/helpaddresses.h"
#include "core/project/project.h"
#include "core/project/workspace.h"
#include "core/settings/inifile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QTabWidget>

PreviewWiring::PreviewWiring(TEditorForm &window)
    : QObject(&window), m_window(window),
      m_sourcePage(qobject_cast<SourceViewPage *>(window.pages().tabContent(PageFrame::ViewTab))),
      m_makeBrowser(BrowserModuleFactory())
{
    setObjectName(QStringLiteral("PreviewWiring"));
    IniFile ini;
    ini.load(SettingsFilePath(window.workspace().folders));
    m_feedCheckService = ReadFeedCheckService(ini);

    defineCommands();
    defineHelpCommands();

    if (QMenu *functions = window.findChild<QMenu *>(QStringLiteral("Function1")))
        connect(functions, &QMenu::aboutToShow, this, &PreviewWiring::updateFunctionMenu);
    connect(window.pages().tabs(), &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == PageFrame::ViewTab)
            showSource();
    });
    // A source view left open follows the feed chosen in the tree.
    connect(window.treeView(), &ProjectTreeView::currentNodeChanged, this, [this] {
        if (m_window.pages().tabs()->currentIndex() == PageFrame::ViewTab)
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
        Workspace &ws = m_window.workspace();
        m_previews = new FeedPreviews(
            ws.ui, *m_sourcePage, [this](QWidget *parent) { return m_makeBrowser(parent); },
            ws.settings.addresses, this);
        connect(m_previews, &FeedPreviews::pasteRequested, this, [this](const QString &address) {
            PasteIntoFocusedControl(m_window.focusWidget(), address);
        });
    }
    return *m_previews;
}

const ChannelSettings *PreviewWiring::currentSettings() const
{
    const ProjectNode *node = m_window.project().currentNode();
    return node && node->isFeed() ? &node->data()->settings : nullptr;
}

FeedPreviews::Selection PreviewWiring::selection()
{
    // The items page leaves its line mode when it offers to; its class
    // stays its own.
    for (QWidget *page :
         m_window.pages().findChildren<QWidget *>(QStringLiteral("TabSheet_Sub_Item"))) {
        if (page->metaObject()->indexOfMethod("leaveLineMode()") >= 0)
            QMetaObject::invokeMethod(page, "leaveLineMode");
    }
    m_window.pages().storeCurrentNode();
    const ProjectNode *node = m_window.project().currentNode();
    return {node && node->isFeed() ? node->data() : nullptr, m_window.project().fileName(),
            m_window.workspace().folders.data};
}

QString PreviewWiring::typedField(const QString &name, const QString &stored) const
{
    const auto *edit = m_window.pages().findChild<QLineEdit *>(name);
    return edit ? edit->text() : stored;
}

bool PreviewWiring::htmlPageOn() const
{
    const ChannelSettings *settings = currentSettings();
    if (!settings)
        return false;
    const auto *box = m_window.pages().findChild<QAbstractButton *>(QStringLiteral("CB_Html_Sub"));
    return box ? box->isChecked() : settings->html;
}

bool PreviewWiring::feedCheckPossible() const
{
    const ChannelSettings *settings = currentSettings();
    if (!settings)
        return false;
    const bool site =
        !typedField(QStringLiteral("ED_Informer_RssAddress_Sub"), settings->src).isEmpty() ||
        !typedField(QStringLiteral("ED_Informer_RootAddress_Sub"), settings->root).isEmpty();
    return site && !typedField(QStringLiteral("ED_FileName_Sub"), settings->filename).isEmpty();
}

void PreviewWiring::defineCommands()
{
    CommandSet &c = m_window.commands();
    auto feedShown = [this] { return currentSettings() != nullptr; };
    auto pageShown = [this] { return htmlPageOn(); };
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
    c.define({QStringLiteral("Mn_RssPreview")}, rss);
    c.define({QStringLiteral("TB_Rss")}, rss, feedShown);
    c.define({QStringLiteral("Mn_HtmlPreview")}, html);
    c.define({QStringLiteral("TB_Html")}, html, pageShown);
    // The tree's double click runs the menu entry: it beeps without a page.
    c.define({QStringLiteral("Mn_ChannelHomePage")}, sitePage);
    c.define({QStringLiteral("TB_ChannelHomePage")}, sitePage, pageShown);
    c.define({QStringLiteral("TB_Preview")}, [this] {
        const QString focused = FocusedControlText(m_window.focusWidget());
        const FeedPreviews::Selection chosen = selection();
        previews().openAddress(
            AddressPreviewTarget(focused, chosen.feed ? &chosen.feed->settings : nullptr), true);
    });
    c.define(
        {QStringLiteral("Mn_FeedCheck")},
        [this] {
            const FeedPreviews::Selection chosen = selection();
            // The findings are listed in the tab; opening it shows the
            // source first, which the check then replaces.
            m_window.pages().tabs()->setCurrentIndex(PageFrame::ViewTab);
            previews().feedAnalysis(chosen, m_feedCheckService);
        },
        [this] { return feedCheckPossible(); });
}

void PreviewWiring::defineHelpCommands()
{
    CommandSet &c = m_window.commands();
    c.define({QStringLiteral("Mn_Manual")},
             [this] { previews().openAddress(ProductManualAddress(), true); });
    c.define({QStringLiteral("Mn_HomePage")},
             [this] { previews().openAddress(ProductHomePageAddress(), true); });
    // The guide installed with the program, in the default browser: its
    // start page, and as the readme its page about the program.
    auto guide = [this](const QString &page) {
        return [this, page] { OpenGuidePage(m_window.workspace().ui, page); };
    };
    c.define({QStringLiteral("Mn_Guide")}, guide(QStringLiteral("index.html")));
    c.define({QStringLiteral("Mn_Readme")}, guide(QStringLiteral("readme.html")));
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), &m_window);
    help->setObjectName(QStringLiteral("Shortcut_F1"));
    connect(help, &QShortcut::activated, this,
            [this] { m_window.commands().trigger(QStringLiteral("Mn_Manual")); });
}

void PreviewWiring::showSource()
{
    if (m_sourcePage)
        previews().showSource(selection(), m_sourcePage->view());
}

void PreviewWiring::updateFunctionMenu()
{
    CommandSet &c = m_window.commands();
    for (const auto &[entry, button] :
         {std::pair{"Mn_RssPreview", "TB_Rss"}, std::pair{"Mn_HtmlPreview", "TB_Html"},
          std::pair{"Mn_ChannelHomePage", "TB_ChannelHomePage"}}) {
        if (QAction *action = c.action(QString::fromLatin1(entry)))
            action->setVisible(c.isEnabled(QString::fromLatin1(button)));
    }
}

void PreviewWiring::windowClosing()
{
    if (!m_previews)
        return;
    if (TBrowseForm *form = m_previews->form(); form && form->isVisible())
        form->close();
    m_window.workspace().settings.addresses = m_previews->history();
}

void PreviewWiring::settingsWritten()
{
    const QString path = SettingsFilePath(m_window.workspace().folders);
    IniFile ini;
    ini.load(path);
    WriteFeedCheckService(ini, m_feedCheckService);
    ini.save(path);
}
