#include "app/editing/feedpagewiring.h"

#include "app/common/commandids.h"
#include "app/common/commandset.h"
#include "app/common/texteditor.h"
#include "app/editing/channelpage.h"
#include "app/editing/defaultspanel.h"
#include "app/editing/feedpages.h"
#include "app/editing/focusfacts.h"
#include "app/editing/itemgridview.h"
#include "app/editing/itemspage.h"
#include "app/html/htmltemplatepage.h"
#include "app/project/nodepage.h"
#include "core/clock.h"
#include "core/project/project.h"
#include "core/project/uploadfeed.h"
#include "core/project/workspace.h"
#include "core/settings/settings.h"

#include <QApplication>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>
#include <optional>

namespace {

// A feed tab around a page made elsewhere: the page frame shows and stores
// the node through it.
class BoundTab : public QWidget, public NodePage
{
public:
    struct Binding
    {
        std::function<void(ProjectNode &)> show{};
        std::function<void(ProjectNode &)> store{};
        // Storing without touching the page; store itself when that is so.
        std::function<void(ProjectNode &)> peek{};
        std::function<void()> reset{};
        std::function<QString()> status{};
        std::function<void()> shown{};
    };

    BoundTab(QWidget *page, const QString &name, Binding binding) : m_binding(std::move(binding))
    {
        setObjectName(name);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page);
    }

    void showNode(ProjectNode &node) override
    {
        if (m_binding.show)
            m_binding.show(node);
    }
    void storeNode(ProjectNode &node) override
    {
        if (m_binding.store)
            m_binding.store(node);
    }
    void peekNode(ProjectNode &node) const override
    {
        if (const auto &peek = m_binding.peek ? m_binding.peek : m_binding.store)
            peek(node);
    }
    void resetPage() override
    {
        if (m_binding.reset)
            m_binding.reset();
    }
    QString statusText() const override
    {
        return m_binding.status ? m_binding.status() : QString();
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        if (m_binding.shown)
            m_binding.shown();
    }

private:
    Binding m_binding;
};

// The Edit menu's commands: the grid's command, and whether a focused text
// editor takes the command itself.
struct EditCommand
{
    QString id;
    std::optional<GridCommand> gridCommand; // none: only a text editor has it
    bool EditCommandState::*enabled;
    void (QsciScintilla::*editorAction)();
};

const EditCommand editCommands[] = {
    {CommandId::editUndo, GridCommand::Undo, &EditCommandState::undo, &QsciScintilla::undo},
    {CommandId::editRedo, std::nullopt, &EditCommandState::redo, &QsciScintilla::redo},
    {CommandId::editCut, GridCommand::Cut, &EditCommandState::cut, &QsciScintilla::cut},
    {CommandId::editCopy, GridCommand::Copy, &EditCommandState::copy, &QsciScintilla::copy},
    {CommandId::editPaste, GridCommand::Paste, &EditCommandState::paste, &QsciScintilla::paste},
    {CommandId::editDelete, GridCommand::Delete, &EditCommandState::deleteSelection,
     &QsciScintilla::removeSelectedText},
    {CommandId::editSelectAll, GridCommand::SelectAll, &EditCommandState::selectAll,
     static_cast<void (QsciScintilla::*)()>(nullptr)},
};

} // namespace

FeedPageWiring::FeedPageWiring(Workspace &workspace, UserInterface &ui, QObject *parent)
    : QObject(parent), m_workspace(workspace),
      m_feedPages(new FeedPages(
          workspace.project, ui,
          {workspace.folders.data, workspace.folders.ftpTemplate, workspace.folders.htmlTemplate},
          this)),
      m_items(new ItemsPage(ui)),
      m_defaults(
          new DefaultsPanel(ui, {workspace.folders.ftpTemplate,
                                 TrustFiles::in(workspace.folders.settings), workspace.keyring}))
{
    Project &project = workspace.project;
    m_items->setClock(Clock{});
    m_items->setChannelValues([this] { return m_feedPages->liveValues().settings; });
    connect(m_items, &ItemsPage::changed, this, &FeedPageWiring::itemsEdited);
    connect(m_items, &ItemsPage::statusTextChanged, this, &FeedPageWiring::statusChanged);
    connect(m_feedPages, &FeedPages::toolStateChanged, this, &FeedPageWiring::toolStateChanged);
    // The grid holds its own copy of the items shown.
    connect(&project, &Project::itemGuidsAssigned, m_items, [this, &project] {
        if (const ProjectNode *node = project.currentNode(); node && node->isFeed())
            m_items->adoptGuids(node->data()->items);
    });

    m_defaults->showDefaults(project.defaults);
    connect(&project, &Project::treeReplaced, m_defaults,
            [this, &project] { m_defaults->showDefaults(project.defaults); });
    connect(m_defaults, &DefaultsPanel::settingEdited, this, [this, &project] {
        m_defaults->storeDefaults(project.defaults);
        project.setModified(true);
    });
    connect(m_defaults, &DefaultsPanel::ftpTemplatesChanged, m_feedPages,
            &FeedPages::refreshFtpTemplates);
}

FeedPageWiring::~FeedPageWiring()
{
    // Pages that no window took go with the wiring.
    for (QWidget *page : {static_cast<QWidget *>(m_items), static_cast<QWidget *>(m_defaults)})
        if (!page->parent())
            delete page;
}

QWidget *FeedPageWiring::createTab(PageFrame::Tab tab)
{
    FeedPages &pages = *m_feedPages;
    switch (tab) {
    case PageFrame::ChannelTab:
        // The feed pages show and store the channel and the HTML tab at once.
        return new BoundTab(pages.channelPage(), QStringLiteral("Channel_Page"),
                            {.show = [&pages](ProjectNode &node) { pages.showNode(node); },
                             .store = [&pages](ProjectNode &node) { pages.storeNode(node); },
                             .reset = [&pages] { pages.resetPages(); }});
    case PageFrame::ItemTab:
        return new BoundTab(
            m_items, QStringLiteral("Item_Page"),
            {.show = [this](ProjectNode &node) { m_items->showItems(node.data()->items); },
             .store = [this](ProjectNode &node) { node.data()->items = m_items->storeItems(); },
             .peek = [this](ProjectNode &node) { node.data()->items = m_items->peekItems(); },
             .reset = [this] { m_items->clearItems(); },
             .status = [this] { return m_items->statusText(); }});
    case PageFrame::HtmlTab:
        return new BoundTab(pages.htmlPage(), QStringLiteral("Html_Page"),
                            {.shown = [&pages] { pages.refreshPageAddress(); }});
    case PageFrame::ViewTab:
    case PageFrame::TabCount:
        break;
    }
    return nullptr;
}

ToolState FeedPageWiring::toolState() const
{
    return m_feedPages->toolState();
}

void FeedPageWiring::itemsEdited()
{
    // The same as an edit on the channel tab: modified, and marked when the
    // live values say the feed can be uploaded.
    m_feedPages->contentEdited();
}

void FeedPageWiring::attach(PageFrame &frame, CommandSet &commands)
{
    // Leaving a tab stores the pages: the other tabs and the commands read
    // the node.
    connect(frame.tabs(), &QTabWidget::currentChanged, this,
            [&frame] { frame.storeCurrentNode(); });
    connect(this, &FeedPageWiring::toolStateChanged, &commands, &CommandSet::refresh);

    commands.define(
        CommandId::fileUpload, [this] { upload(); },
        [this] {
            // The live values decide: the node learns a new template only
            // when the pages are stored.
            const Project &project = m_workspace.project;
            const ProjectNode *current = project.currentNode();
            return !project.isUploadActive() && current && current->isFeed() && toolState().upload;
        },
        CommandSet::StorePagesFirst);
    defineEditCommands(commands);
}

void FeedPageWiring::upload()
{
    Project &project = m_workspace.project;
    UploadFeed(m_workspace, [&project](ProjectNode &feed, bool uploading) {
        project.setUploadingNode(uploading ? &feed : nullptr);
    });
}

void FeedPageWiring::defineEditCommands(CommandSet &commands)
{
    auto focusedEditor = [] { return qobject_cast<TextEditor *>(QApplication::focusWidget()); };
    auto state = [this] {
        return EditMenuState(
            ReadFocusFacts(QApplication::focusWidget(), m_items->grid(), m_items->isLineMode()));
    };
    for (const EditCommand &command : editCommands) {
        auto run = [this, command, focusedEditor] {
            if (TextEditor *editor = focusedEditor()) {
                if (command.editorAction)
                    (editor->*command.editorAction)();
                else
                    editor->selectAll(true);
            } else if (command.gridCommand) {
                m_items->gridCommand(*command.gridCommand);
            }
        };
        commands.define(command.id, run, [state, command] { return state().*command.enabled; });
    }
}

QString FeedPageWiring::itemSplitterKey()
{
    return QStringLiteral("Splitter_Item");
}

void FeedPageWiring::applySettings(const Settings &settings)
{
    m_items->grid()->applyColumnSettings(settings);
    m_items->setSelectAllOnMove(settings.selectAll);
    if (auto *splitter = m_items->findChild<QSplitter *>(itemSplitterKey()))
        splitter->restoreState(
            QByteArray::fromBase64(settings.controlSizes.value(itemSplitterKey()).toLatin1()));
}

void FeedPageWiring::rememberSettings(Settings &settings) const
{
    m_items->grid()->saveColumnSettings(settings);
    settings.selectAll = m_items->selectAllOnMove();
    if (auto *splitter = m_items->findChild<QSplitter *>(itemSplitterKey()))
        settings.controlSizes.insert(itemSplitterKey(),
                                     QString::fromLatin1(splitter->saveState().toBase64()));
}
