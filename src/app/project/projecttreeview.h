#pragma once

#include <QPoint>
#include <QTreeView>
#include <optional>

class ProjectNode;
class ProjectTreeModel;
class QLabel;

// The project tree (TreeView). It only reports what the user does; the
// window runs the commands through the core. Drag and drop is its own, not
// Qt's InternalMove, which would re-create rows and lose the feeds' items.
class ProjectTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit ProjectTreeView(ProjectTreeModel &model, QWidget *parent = nullptr);

    ProjectNode *currentNode() const;
    void setCurrentNode(const ProjectNode *node);
    // Starts editing the current node's label in place (never the root's).
    void editCurrentNode();

Q_SIGNALS:
    void currentNodeChanged(ProjectNode *node);
    void popupRequested(const QPoint &globalPos);
    void deleteRequested();
    void nodeDropped(ProjectNode *dragged, ProjectNode *target, bool shift);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void startDrag(ProjectNode *node);
    void updateMemo();
    ProjectNode *nodeAt(const QPoint &pos) const;

    ProjectTreeModel &m_model;
    QLabel *m_memo;
    std::optional<QPoint> m_pressPos;
    ProjectNode *m_dragged = nullptr;
};
