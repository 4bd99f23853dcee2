#pragma once

#include <QAbstractItemModel>

class Project;
class ProjectNode;

// The project tree as an item model, so that views only show it. Row 0 at
// the top level is the project root.
class ProjectTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Role
    {
        KindRole = Qt::UserRole + 1, // int: 0 root, 1 folder, 2 feed
        ChangedMarkRole,             // bool: the feed has edits not yet uploaded
        UploadingRole,               // bool: the feed is being uploaded
    };

    explicit ProjectTreeModel(Project &project, QObject *parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Every node but the root can be renamed in place.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    Project &project() const { return m_project; }
    QModelIndex indexOf(const ProjectNode *node) const;
    ProjectNode *node(const QModelIndex &index) const;

private:
    void nodeChanged(ProjectNode *node);

    Project &m_project;
};
