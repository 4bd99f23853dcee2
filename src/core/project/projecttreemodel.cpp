#include "core/project/projecttreemodel.h"

#include "core/project/project.h"
#include "core/project/treecommands.h"

ProjectTreeModel::ProjectTreeModel(Project &project, QObject *parent)
    : QAbstractItemModel(parent), m_project(project)
{
    connect(&project, &Project::treeAboutToBeReplaced, this, [this] { beginResetModel(); });
    connect(&project, &Project::treeReplaced, this, [this] { endResetModel(); });
    connect(&project, &Project::nodesAboutToBeInserted, this,
            [this](ProjectNode *parent, int first, int last) {
                beginInsertRows(indexOf(parent), first, last);
            });
    connect(&project, &Project::nodesInserted, this, [this] { endInsertRows(); });
    connect(&project, &Project::nodeAboutToBeRemoved, this, [this](ProjectNode *node) {
        beginRemoveRows(indexOf(node->parent()), node->row(), node->row());
    });
    connect(&project, &Project::nodeRemoved, this, [this] { endRemoveRows(); });
    connect(&project, &Project::nodeAboutToBeMoved, this,
            [this](ProjectNode *node, ProjectNode *newParent, int destinationRow) {
                beginMoveRows(indexOf(node->parent()), node->row(), node->row(), indexOf(newParent),
                              destinationRow);
            });
    connect(&project, &Project::nodeMoved, this, [this] { endMoveRows(); });
    connect(&project, &Project::uploadingNodeChanged, this, &ProjectTreeModel::nodeChanged);
    connect(&project, &Project::nodeTextChanged, this, &ProjectTreeModel::nodeChanged);
    connect(&project, &Project::changedMarkChanged, this, &ProjectTreeModel::nodeChanged);
}

ProjectNode *ProjectTreeModel::node(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<ProjectNode *>(index.internalPointer()) : nullptr;
}

QModelIndex ProjectTreeModel::indexOf(const ProjectNode *node) const
{
    if (!node)
        return {};
    return createIndex(node->row(), 0, const_cast<ProjectNode *>(node));
}

QModelIndex ProjectTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, 0, &m_project.root());
    return createIndex(row, 0, node(parent)->child(row));
}

QModelIndex ProjectTreeModel::parent(const QModelIndex &child) const
{
    const ProjectNode *childNode = node(child);
    if (!childNode || !childNode->parent())
        return {};
    return indexOf(childNode->parent());
}

int ProjectTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return 1;
    return node(parent)->childCount();
}

int ProjectTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant ProjectTreeModel::data(const QModelIndex &index, int role) const
{
    const ProjectNode *n = node(index);
    if (!n)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return n->text;
    case KindRole:
        return n->kind;
    case ChangedMarkRole:
        return n->data() && n->data()->changed;
    case UploadingRole:
        return n == m_project.uploadingNode();
    default:
        return {};
    }
}

void ProjectTreeModel::nodeChanged(ProjectNode *node)
{
    const QModelIndex index = indexOf(node);
    Q_EMIT dataChanged(index, index);
}

Qt::ItemFlags ProjectTreeModel::flags(const QModelIndex &index) const
{
    const ProjectNode *n = node(index);
    if (!n)
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return n == &m_project.root() ? flags : flags | Qt::ItemIsEditable;
}

bool ProjectTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    ProjectNode *n = node(index);
    if (!n || role != Qt::EditRole)
        return false;
    RenameNode(m_project, *n, value.toString());
    return true;
}
