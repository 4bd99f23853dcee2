#include "app/mainwindow.h"

#include "app/common/commandids.h"
#include "app/common/commandset.h"
#include "app/common/qtuserinterface.h"
#include "app/mainmenus.h"
#include "app/toolicons.h"

#include "app/editing/contenttoolbarwiring.h"
#include "app/editing/defaultspanel.h"
#include "app/editing/editorfeatures.h"
#include "app/editing/feedpagewiring.h"
#include "app/editing/itemgridview.h"
#include "app/editing/itemspage.h"
#include "app/preview/previewwiring.h"
#include "app/preview/sourceviewpage.h"
#include "app/publish/qtkeychainkeyring.h"
#include "app/search/searchwiring.h"
#include "core/editing/itemtablemodel.h"

#include "app/import/feedimportform.h"
#include "app/project/pageframe.h"
#include "app/project/projecttreeview.h"
#include "app/project/recentprojectsmenu.h"
#include "core/project/commandstate.h"
#include "core/project/feedimport.h"
#include "core/project/offerrecovery.h"
#include "core/project/project.h"
#include "core/project/projectcommands.h"
#include "core/project/projecttreemodel.h"
#include "core/project/recoverycopy.h"
#include "core/project/recoverykeeper.h"
#include "core/project/saveproject.h"
#include "core/project/standardoutputwriters.h"
#include "core/project/tableimport.h"
#include "core/project/treecommands.h"
#include "core/project/treeorder.h"
#include "core/project/workspace.h"
#include "core/search/searchsettings.h"
#include "core/settings/inifile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

namespace {

const QString windowSizeKey = QStringLiteral("TEditorForm");
const QString splitterSizeKey = QStringLiteral("Splitter_Main");

} // namespace

MainWindow::MainWindow(const Folders &folders, QWidget *parent)
    : QMainWindow(parent), m_ui(std::make_unique<QtUserInterface>(this)),
      m_keyring(std::make_unique<QtKeychainKeyring>()), m_commands(new CommandSet(this))
{
    setObjectName(QStringLiteral("TEditorForm"));
    resize(960, 640);

    auto *project = new Project(this);
    m_workspace =
        std::make_unique<Workspace>(*project, *m_ui, folders, StandardOutputWriters(Clock{}));
    m_workspace->keyring = m_keyring.get();
    m_treeModel = new ProjectTreeModel(*project, this);
    m_tree = new ProjectTreeView(*m_treeModel, this);
    m_feedPages = new FeedPageWiring(*m_workspace, *m_ui, this);
    m_pages = new PageFrame(
        *project,
        {{m_feedPages->createTab(PageFrame::ChannelTab), m_feedPages->createTab(PageFrame::ItemTab),
          m_feedPages->createTab(PageFrame::HtmlTab), new SourceViewPage},
         m_feedPages->defaultsPanel()},
        this);
    // The commands that work on the project as the pages show it.
    m_commands->setPageStore([this] { m_pages->storeCurrentNode(); });

    m_splitter = new QSplitter(this);
    m_splitter->setObjectName(splitterSizeKey);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_pages);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({240, 720});
    setCentralWidget(m_splitter);

    buildBars();
    defineFileCommands();
    defineTreeCommands();
    defineSwitchCommands();

    // Letter G: the grid's columns, read while the window is made.
    IniFile ini;
    ini.load(SettingsFilePath(folders));
    ReadGridSettings(ini, m_workspace->settings);
    m_feedPages->applySettings(m_workspace->settings);
    m_feedPages->attach(*m_pages, *m_commands);

    connect(m_tree, &ProjectTreeView::currentNodeChanged, this, &MainWindow::showCurrentNode);
    connect(m_tree, &ProjectTreeView::popupRequested, this,
            [this](const QPoint &at) { m_treePopup->popup(at); });
    connect(m_tree, &ProjectTreeView::deleteRequested, this,
            [this] { m_commands->trigger(CommandId::treeDelete); });
    connect(m_tree, &ProjectTreeView::doubleClicked, this,
            [this] { m_commands->trigger(CommandId::previewSitePage); });
    connect(m_tree, &ProjectTreeView::nodeDropped, this, &MainWindow::dropNode);
    connect(m_pages, &PageFrame::statusChanged, this, &MainWindow::updateStatus);
    connect(m_feedPages, &FeedPageWiring::statusChanged, this, &MainWindow::updateStatus);
    connect(m_feedPages->itemsPage()->grid()->itemModel(), &ItemTableModel::dateUnreadable, this,
            &MainWindow::showHint);

    connect(project, &Project::captionChanged, this, &MainWindow::updateTitle);
    connect(project, &Project::modifiedChanged, this, [this] {
        m_newButtonEnabled = true;
        m_commands->refresh();
    });
    connect(project, &Project::uploadingNodeChanged, m_commands, &CommandSet::refresh);
    // The upload runs without returning to the event loop: the upload image
    // shows only when the tree is painted at once.
    connect(project, &Project::uploadingNodeChanged, m_tree->viewport(),
            qOverload<>(&QWidget::repaint));
    connect(project, &Project::treeReplaced, this, [this] { selectNode(&this->project().root()); });
    m_preview = new PreviewWiring(*this, *m_workspace, *m_commands, *m_pages, *m_feedPages,
                                  *m_menus.value(QStringLiteral("Function1")));
    m_contentToolBar = new ContentToolBarWiring(*this, *m_workspace, *m_pages, *m_feedPages, this);
    WireSearchCommands(*this, *m_commands, SearchSettingsFilePath(folders), *m_ui);
    new EditorFeatures(*this, *m_commands, *m_menus.value(QStringLiteral("Edit1")),
                       *m_contentToolBar);
    new RecentProjectsMenu(*m_menus.value(QStringLiteral("File1")),
                           *m_menus.value(QStringLiteral("Mn_Recent")), *m_workspace, *m_commands,
                           *m_pages);
    keepRecoveryCopies();
    updateTitle();
    selectNode(&project->root());
    m_tree->setFocus();
}

MainWindow::~MainWindow() = default;

Project &MainWindow::project() const
{
    return m_workspace->project;
}

void MainWindow::keepRecoveryCopies()
{
    m_recovery = new RecoveryKeeper(
        RecoveryCopyPath(m_workspace->folders.settings), [this] { return recoverySnapshot(); }, {},
        this);
    m_workspace->recovery = m_recovery;
    m_recovery->follow(project());
    connect(m_feedPages->itemsPage(), &ItemsPage::typing, m_recovery, &RecoveryKeeper::edited);
}

std::optional<ProjectSnapshot> MainWindow::recoverySnapshot() const
{
    const ItemsPage *items = m_feedPages->itemsPage();
    const ProjectNode *current = project().currentNode();
    const bool typing = current && current->isFeed() && items->hasTypedText();
    if (!project().isModified() && !typing)
        return std::nullopt;
    const std::optional<FeedData> live = m_pages->peekCurrentNode();
    return TakeSnapshot(project(), live ? &*live : nullptr);
}

void MainWindow::buildBars()
{
    // The menu lives on a tool bar of its own rather than as the window's
    // menu bar.
    auto *menuBar = new QMenuBar;
    menuBar->setObjectName(QStringLiteral("MainMenu"));
    menuBar->setNativeMenuBar(false);
    m_menus = BuildMainMenus(menuBar, *m_commands);
    QToolBar *menuToolBar = addToolBar(QStringLiteral("メニュー"));
    menuToolBar->setObjectName(QStringLiteral("Toolbar_Menu"));
    menuToolBar->setMovable(false);
    menuToolBar->addWidget(menuBar);
    addToolBarBreak();

    QToolBar *buttons = addToolBar(QStringLiteral("ツールバー"));
    buttons->setObjectName(QStringLiteral("ToolBar_Main"));
    buttons->setMovable(false);
    buttons->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    BuildToolButtons(buttons, *m_commands);
    SetToolButtonIcons(buttons);
    m_treePopup = BuildTreePopupMenu(this, *m_commands);
    // A menu is a window of its own: its hints would stop there.
    for (QMenu *menu : findChildren<QMenu *>())
        menu->installEventFilter(this);

    m_statusPage = new QLabel(this);
    m_statusPage->setObjectName(QStringLiteral("StatusBar_Panel1"));
    m_statusPage->setMinimumWidth(120);
    m_statusHint = new QLabel(this);
    m_statusHint->setObjectName(QStringLiteral("StatusBar_Panel2"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addPermanentWidget(m_statusPage);
    statusBar()->addPermanentWidget(m_statusHint, 1);
}

void MainWindow::defineFileCommands()
{
    CommandSet &c = *m_commands;
    Workspace &ws = *m_workspace;
    auto rule = [this](Command command) {
        return [this, command] {
            return IsCommandEnabled(command, project(), project().currentNode());
        };
    };
    auto save = [this](bool saveAs, bool exportOnly) {
        SaveProject(*m_workspace, saveAs, exportOnly, m_tree->currentNode());
    };
    const CommandSet::PageUse stored = CommandSet::StorePagesFirst;

    auto newProject = [this, &ws] {
        if (!NewProject(ws))
            return;
        m_pages->tabs()->setCurrentIndex(PageFrame::ItemTab);
        m_pages->resetPages();
        m_newButtonEnabled = false;
        m_commands->refresh();
    };
    c.define(CommandId::fileNew, newProject, rule(Command::NewProject), stored);
    c.define(
        CommandId::fileNewButton, newProject,
        [this, newRule = rule(Command::NewProject)] { return newRule() && m_newButtonEnabled; },
        stored);
    c.define(
        CommandId::fileOpen, [&ws] { OpenProject(ws); }, rule(Command::OpenProject), stored);
    c.define(
        CommandId::fileSave, [this, save] { save(project().fileName().isEmpty(), false); },
        rule(Command::SaveProject), stored);
    c.define(
        CommandId::fileSaveButton, [this, save] { save(project().fileName().isEmpty(), false); },
        rule(Command::SaveProjectTool), stored);
    c.define(
        CommandId::fileSaveAs, [save] { save(true, false); }, {}, stored);
    c.define(
        CommandId::fileExportProject, [save] { save(true, true); }, {}, stored);
    c.define(
        CommandId::fileInsertProject,
        [this, &ws] { selectNode(InsertProject(ws, m_tree->currentNode())); },
        rule(Command::InsertProject), stored);
    c.define(
        CommandId::fileInsertTable,
        [this, &ws] {
            selectNode(ImportTableFile(project(), *m_ui, m_tree->currentNode(), ws.folders.data));
        },
        rule(Command::InsertTable), stored);
    c.define(
        CommandId::fileImportFeed,
        [this, &ws] {
            FeedImportForm form(*m_ui, ws.folders.data, this);
            if (form.exec() == QDialog::Accepted)
                selectNode(InsertFeedFrom(project(), *m_ui, m_tree->currentNode(), form.source()));
        },
        rule(Command::InsertTable), stored);
    c.define(CommandId::fileExit, [this] { close(); });
}

void MainWindow::defineTreeCommands()
{
    CommandSet &c = *m_commands;
    auto rule = [this](Command command) {
        return [this, command] {
            return IsCommandEnabled(command, project(), project().currentNode());
        };
    };
    const CommandSet::PageUse stored = CommandSet::StorePagesFirst;
    c.define(
        CommandId::treeAddFeed,
        [this] { addNode(AddFeed(project(), project().currentNode()), true); }, {}, stored);
    c.define(
        CommandId::treeAddFolder,
        [this] { addNode(AddFolder(project(), project().currentNode()), false); }, {}, stored);
    // The copy takes what the pages hold.
    c.define(
        CommandId::treeCopyFeed,
        [this] {
            selectNode(CopyFeed(project(), *project().currentNode()));
            m_tree->editCurrentNode();
        },
        rule(Command::CopyFeed), stored);
    c.define(
        CommandId::treeRename, [this] { m_tree->editCurrentNode(); }, rule(Command::RenameNode));
    c.define(
        CommandId::treeDelete, [this] { deleteCurrentNode(); }, rule(Command::DeleteNode));
    c.define(CommandId::treeResetMarks, [this] {
        ProjectNode *node = m_tree->currentNode();
        if (!node)
            return;
        m_tree->setUpdatesEnabled(false);
        project().resetChangedMarks(*node);
        m_tree->setUpdatesEnabled(true);
    });
}

void MainWindow::defineSwitchCommands()
{
    Settings &settings = m_workspace->settings;
    m_commands->define(CommandId::optionLastOpen,
                       [&settings] { settings.lastOpen = !settings.lastOpen; });
    m_commands->defineCheck(CommandId::optionLastOpen, [&settings] { return settings.lastOpen; });
    m_commands->define(CommandId::optionBackup,
                       [&settings] { settings.backup = !settings.backup; });
    m_commands->defineCheck(CommandId::optionBackup, [&settings] { return settings.backup; });
}

void MainWindow::addNode(ProjectNode *added, bool feed)
{
    selectNode(added);
    if (feed) {
        // The new feed receives the project defaults at its first store.
        m_pages->resetPages();
        m_pages->tabs()->setCurrentIndex(PageFrame::ChannelTab);
    }
    // Last: filling the pages must not close the name editor.
    m_tree->editCurrentNode();
}

void MainWindow::deleteCurrentNode()
{
    if (ProjectNode *next = DeleteNode(project(), *m_ui, m_tree->currentNode()))
        selectNode(next);
}

void MainWindow::dropNode(ProjectNode *dragged, ProjectNode *target, bool shift)
{
    if (DropNode(project(), *dragged, *target, shift))
        selectNode(dragged);
}

void MainWindow::selectNode(const ProjectNode *node)
{
    m_tree->setCurrentNode(node);
}

void MainWindow::showCurrentNode(ProjectNode *node)
{
    m_pages->switchNode(node);
    m_commands->refresh();
}

void MainWindow::restoreLastSession(const QString &projectFile)
{
    Settings &settings = m_workspace->settings;
    IniFile ini;
    ini.load(SettingsFilePath(m_workspace->folders));
    // Letter R over the switches' start values.
    settings.lastOpen = true;
    settings.backup = true;
    ReadEnvironSettings(ini, settings);
    ReadControlSizes(ini, settings,
                     {windowSizeKey, splitterSizeKey, FeedPageWiring::itemSplitterKey()});
    m_contentToolBar->readSettings();
    restoreGeometry(QByteArray::fromBase64(settings.controlSizes.value(windowSizeKey).toLatin1()));
    m_splitter->restoreState(
        QByteArray::fromBase64(settings.controlSizes.value(splitterSizeKey).toLatin1()));
    m_feedPages->applySettings(settings);
    m_pages->tabs()->setCurrentIndex(PageFrame::ItemTab);

    const QString reopened =
        projectFile.isEmpty() && settings.lastOpen && QFileInfo::exists(settings.defFileName)
            ? settings.defFileName
            : projectFile;
    if (OfferRecovery(*m_workspace, QDateTime::currentDateTime()) == RecoveryOutcome::Restored) {
        selectNode(&project().root());
        m_newButtonEnabled = true;
    } else if (!reopened.isEmpty() && OpenProjectFile(*m_workspace, reopened)) {
        // A stored position outside the tree selects nothing.
        if (ProjectNode *node = NodeAtTreeIndex(project().root(), settings.treeIndex);
            node && projectFile.isEmpty())
            selectNode(node);
        m_newButtonEnabled = true;
    } else {
        selectNode(&project().root());
        m_newButtonEnabled = false;
    }
    m_commands->refresh();
    updateStatus();
    updateTitle();
}

void MainWindow::activateFromOutside()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    if (QWidget *modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

void MainWindow::openFromOutside(const QString &path)
{
    activateFromOutside();
    m_filesFromOutside << path;
    openFilesFromOutside();
}

void MainWindow::openFilesFromOutside()
{
    // A question or a save under way must end first: opening now would
    // replace the project under it.
    if (QApplication::activeModalWidget() || m_ui->isWorking()) {
        QTimer::singleShot(200, this, &MainWindow::openFilesFromOutside);
        return;
    }
    while (!m_filesFromOutside.isEmpty()) {
        m_pages->storeCurrentNode();
        OpenNamedProject(*m_workspace, m_filesFromOutside.takeFirst());
    }
}

bool MainWindow::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        showHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        showHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showHint(const QString &hint)
{
    m_statusHint->setText(hint.isEmpty() ? QString() : u' ' + hint);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The desktop may ask while a save keeps the window painted.
    if (m_ui->isWorking()) {
        event->ignore();
        return;
    }
    m_pages->storeCurrentNode();
    Settings &settings = m_workspace->settings;
    settings.treeIndex = std::max(0, TreeIndexOf(project().root(), m_tree->currentNode()));
    rememberControlSizes();
    m_preview->windowClosing();
    if (CloseProject(*m_workspace)) {
        m_preview->settingsWritten();
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::rememberControlSizes()
{
    QMap<QString, QString> &sizes = m_workspace->settings.controlSizes;
    sizes.insert(windowSizeKey, QString::fromLatin1(saveGeometry().toBase64()));
    sizes.insert(splitterSizeKey, QString::fromLatin1(m_splitter->saveState().toBase64()));
    m_feedPages->rememberSettings(m_workspace->settings);
}

void MainWindow::updateTitle()
{
    setWindowTitle(project().caption());
}

void MainWindow::updateStatus()
{
    m_statusPage->setText(m_pages->statusText());
}
