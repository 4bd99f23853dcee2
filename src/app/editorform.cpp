#include "editorform.h"

#include "qtuserinterface.h"

#include "project/inifile.h"
#include "project/project.h"
#include "project/projectcommands.h"
#include "project/projecttreemodel.h"
#include "project/saveproject.h"
#include "project/standardoutputwriters.h"
#include "project/tableimport.h"
#include "project/treelabeldelegate.h"
#include "project/workspace.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QTreeView>

TEditorForm::TEditorForm(const Folders &folders, QWidget *parent)
    : QMainWindow(parent), m_ui(std::make_unique<QtUserInterface>(this))
{
    setObjectName(QStringLiteral("TEditorForm"));
    resize(960, 640);

    auto *project = new Project(this);
    m_workspace = std::make_unique<Workspace>(*project, *m_ui, folders,
                                              StandardOutputWriters(Clock{}));
    m_treeModel = new ProjectTreeModel(*project, this);

    m_treeView = new QTreeView(this);
    m_treeView->setObjectName(QStringLiteral("TreeView"));
    m_treeView->setToolTip(
        QStringLiteral("プロジェクトツリー 右クリックでフィードの追加などが可能です"));
    m_treeView->header()->hide();
    m_treeView->setModel(m_treeModel);
    m_treeView->setItemDelegate(new TreeLabelDelegate(m_treeView));
    m_treeView->expandAll();

    auto *pages = new QStackedWidget(this);
    pages->setObjectName(QStringLiteral("PageControl_Sub"));

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_treeView);
    splitter->addWidget(pages);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);

    createActions();

    connect(project, &Project::captionChanged, this, &TEditorForm::updateTitle);
    connect(project, &Project::modifiedChanged, this, &TEditorForm::updateSaveActions);
    connect(project, &Project::treeReplaced, this, [this] {
        m_treeView->expandAll();
        selectNode(&this->project().root());
    });
    connect(project, &Project::nodesInserted, m_treeView, &QTreeView::expandAll);
    updateTitle();
    updateSaveActions();
    selectNode(&project->root());
}

TEditorForm::~TEditorForm() = default;

Project &TEditorForm::project() const
{
    return m_workspace->project;
}

void TEditorForm::createActions()
{
    QMenu *fileMenu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    QToolBar *toolbar = addToolBar(QStringLiteral("ツールバー"));
    toolbar->setObjectName(QStringLiteral("ToolBar"));

    auto addCommand = [this](QMenu *menu, const QString &name, const QString &text, auto handler) {
        QAction *action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    addCommand(fileMenu, QStringLiteral("Mn_DataNew"), QStringLiteral("新規作成(&N)"),
               [this] { NewProject(*m_workspace); });
    addCommand(fileMenu, QStringLiteral("Mn_DataOpen"), QStringLiteral("開く(&O)..."),
               [this] { OpenProject(*m_workspace); });
    m_saveMenuAction =
        addCommand(fileMenu, QStringLiteral("Mn_DataSave"), QStringLiteral("上書き保存(&S)"),
                   [this] { save(project().fileName().isEmpty(), false); });
    addCommand(fileMenu, QStringLiteral("Mn_DataSaveAs"), QStringLiteral("名前を付けて保存(&A)..."),
               [this] { save(true, false); });

    QMenu *nodeMenu = fileMenu->addMenu(QStringLiteral("選択されているノード"));
    addCommand(nodeMenu, QStringLiteral("Mn_DataInsert"),
               QStringLiteral("プロジェクトを挿入(&I)..."),
               [this] { selectNode(InsertProject(*m_workspace, selectedNode())); });
    addCommand(nodeMenu, QStringLiteral("Mn_DataExport"),
               QStringLiteral("プロジェクトとして保存(&E)..."), [this] { save(true, true); });
    addCommand(nodeMenu, QStringLiteral("Minnow1"), QStringLiteral("Minnow版のデータを挿入(&L)"),
               [this] {
                   selectNode(ImportTableFile(project(), *m_ui, selectedNode(),
                                              m_workspace->folders.data));
               });

    fileMenu->addSeparator();
    addCommand(fileMenu, QStringLiteral("Mn_Exit"), QStringLiteral("終了(&X)"),
               [this] { close(); });
    connect(fileMenu, &QMenu::aboutToShow, this,
            [this] { m_saveMenuAction->setEnabled(!project().fileName().isEmpty()); });

    m_newToolAction =
        toolbar->addAction(QStringLiteral("新規"), this, [this] { NewProject(*m_workspace); });
    m_newToolAction->setObjectName(QStringLiteral("Tb_New"));
    m_newToolAction->setToolTip(QStringLiteral("プロジェクトを新規作成します"));
    QAction *open =
        toolbar->addAction(QStringLiteral("開く"), this, [this] { OpenProject(*m_workspace); });
    open->setObjectName(QStringLiteral("TB_Open"));
    open->setToolTip(QStringLiteral("プロジェクトを開きます"));
    m_saveToolAction = toolbar->addAction(QStringLiteral("保存"), this,
                                          [this] { save(project().fileName().isEmpty(), false); });
    m_saveToolAction->setObjectName(QStringLiteral("TB_Save"));
    m_saveToolAction->setToolTip(QStringLiteral("プロジェクトを保存します"));
}

void TEditorForm::save(bool saveAs, bool exportOnly)
{
    SaveProject(*m_workspace, saveAs, exportOnly, selectedNode());
}

void TEditorForm::restoreLastSession()
{
    Settings &settings = m_workspace->settings;
    IniFile ini;
    ini.load(SettingsFilePath(m_workspace->folders));
    ReadGridSettings(ini, settings);
    settings.lastOpen = true;
    settings.backup = true;
    ReadEnvironSettings(ini, settings);
    if (settings.lastOpen && !settings.defFileName.isEmpty() &&
        QFileInfo::exists(settings.defFileName) &&
        OpenProjectFile(*m_workspace, settings.defFileName)) {
        int position = 0;
        project().root().forEach([&](ProjectNode &node) {
            if (position++ == settings.treeIndex)
                selectNode(&node);
        });
        m_newToolAction->setEnabled(true);
    } else {
        selectNode(&project().root());
        m_newToolAction->setEnabled(false);
    }
}

void TEditorForm::closeEvent(QCloseEvent *event)
{
    m_workspace->settings.treeIndex = selectedTreeIndex();
    if (CloseProject(*m_workspace))
        event->accept();
    else
        event->ignore();
}

void TEditorForm::updateTitle()
{
    setWindowTitle(project().caption());
}

void TEditorForm::updateSaveActions()
{
    m_saveToolAction->setEnabled(project().isModified());
    m_newToolAction->setEnabled(true);
}

ProjectNode *TEditorForm::selectedNode() const
{
    return m_treeModel->node(m_treeView->currentIndex());
}

void TEditorForm::selectNode(const ProjectNode *node)
{
    if (node)
        m_treeView->setCurrentIndex(m_treeModel->indexOf(node));
}

int TEditorForm::selectedTreeIndex() const
{
    const ProjectNode *selected = selectedNode();
    int position = 0;
    int found = 0;
    project().root().forEach([&](ProjectNode &node) {
        if (&node == selected)
            found = position;
        ++position;
    });
    return found;
}
