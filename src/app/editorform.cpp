#include "editorform.h"

#include "project/project.h"
#include "project/projecttreemodel.h"
#include "project/treelabeldelegate.h"

#include <QHeaderView>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeView>

TEditorForm::TEditorForm(QWidget *parent)
    : QMainWindow(parent), m_project(new Project(this)),
      m_treeModel(new ProjectTreeModel(*m_project, this)), m_treeView(new QTreeView(this))
{
    setObjectName(QStringLiteral("TEditorForm"));
    resize(960, 640);

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

    connect(m_project, &Project::captionChanged, this, &TEditorForm::updateTitle);
    connect(m_project, &Project::treeReplaced, m_treeView, &QTreeView::expandAll);
    updateTitle();
}

TEditorForm::~TEditorForm() = default;

void TEditorForm::updateTitle()
{
    setWindowTitle(m_project->caption());
}
