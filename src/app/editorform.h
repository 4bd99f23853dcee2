#pragma once

#include <QMainWindow>

class Project;
class ProjectTreeModel;
class QTreeView;

// The main window: the project tree on the left, the pages of the selected
// node on the right.
class TEditorForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TEditorForm(QWidget *parent = nullptr);
    ~TEditorForm() override;

    Project &project() const { return *m_project; }
    QTreeView *treeView() const { return m_treeView; }

private:
    void updateTitle();

    Project *m_project;
    ProjectTreeModel *m_treeModel;
    QTreeView *m_treeView;
};
