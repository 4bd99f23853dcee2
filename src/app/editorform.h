#pragma once

#include <QMainWindow>
#include <memory>

class Project;
class ProjectNode;
class ProjectTreeModel;
class QAction;
class QTreeView;
class QtUserInterface;
struct Folders;
struct Workspace;

// The main window: the project tree on the left, the pages of the selected
// node on the right, and the project commands in the menus and toolbar.
class TEditorForm : public QMainWindow
{
    Q_OBJECT

public:
    // The folders decide where settings, projects and templates live.
    explicit TEditorForm(const Folders &folders, QWidget *parent = nullptr);
    ~TEditorForm() override;

    Project &project() const;
    Workspace &workspace() const { return *m_workspace; }
    QTreeView *treeView() const { return m_treeView; }

    // Reads the settings and opens the last project when they ask for it.
    void restoreLastSession();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void updateTitle();
    void updateSaveActions();
    ProjectNode *selectedNode() const;
    void selectNode(const ProjectNode *node);
    int selectedTreeIndex() const;
    void save(bool saveAs, bool exportOnly);

    std::unique_ptr<QtUserInterface> m_ui;
    std::unique_ptr<Workspace> m_workspace;
    ProjectTreeModel *m_treeModel;
    QTreeView *m_treeView;
    QAction *m_saveMenuAction = nullptr;
    QAction *m_saveToolAction = nullptr;
    QAction *m_newToolAction = nullptr;
};
