#include "core/project/project.h"

#include "core/project/treeorder.h"

#include <QFileInfo>
#include <utility>

Project::Project(QObject *parent) : QObject(parent)
{
    m_root = std::make_unique<ProjectNode>(defaultRootName(), ProjectNode::RootKind);
}

Project::~Project() = default;

void Project::setFileName(const QString &fileName)
{
    if (m_fileName == fileName)
        return;
    m_fileName = fileName;
    Q_EMIT captionChanged();
}

QString Project::projectName() const
{
    if (m_fileName.isEmpty())
        return {};
    return QFileInfo(m_fileName).completeBaseName();
}

QString Project::caption() const
{
    if (m_fileName.isEmpty())
        return programName();
    return QStringLiteral(" [") + projectName() + QStringLiteral("] - ") + programName();
}

void Project::updateRootName()
{
    const QString name = m_fileName.isEmpty() ? defaultRootName() : projectName();
    if (m_root->text == name)
        return;
    m_root->text = name;
    Q_EMIT nodeTextChanged(m_root.get());
}

void Project::setModified(bool modified)
{
    if (modified)
        Q_EMIT edited();
    if (m_modified == modified)
        return;
    m_modified = modified;
    Q_EMIT modifiedChanged(modified);
}

void Project::setCurrentNode(ProjectNode *node)
{
    if (m_currentNode == node)
        return;
    m_currentNode = node;
    Q_EMIT currentNodeChanged(node);
}

FeedData *Project::currentItemList() const
{
    return m_currentNode && m_currentNode->isFeed() ? m_currentNode->data() : nullptr;
}

void Project::setChanged(ProjectNode &feed, bool changed)
{
    FeedData *list = feed.isFeed() ? feed.data() : nullptr;
    if (!list)
        return;
    if (changed && list->settings.ftptemplate.isEmpty() && list->settings.ftpfolder.isEmpty())
        return;
    if (list->changed == changed)
        return;
    list->changed = changed;
    Q_EMIT changedMarkChanged(&feed);
}

void Project::resetChangedMarks(ProjectNode &node)
{
    node.forEachFeed([this](ProjectNode &feed) { setChanged(feed, false); });
}

void Project::reset()
{
    defaults = ProjectDefaults();
    setCurrentNode(nullptr);
    replaceTree(std::make_unique<ProjectNode>(defaultRootName(), ProjectNode::RootKind));
    setModified(false);
    setFileName(QString());
}

void Project::replaceTree(std::unique_ptr<ProjectNode> newRoot)
{
    Q_EMIT treeAboutToBeReplaced();
    setCurrentNode(nullptr);
    setUploadingNode(nullptr);
    newRoot->kind = ProjectNode::RootKind;
    m_root = std::move(newRoot);
    Q_EMIT treeReplaced();
}

void Project::appendNodes(ProjectNode &parent, std::vector<std::unique_ptr<ProjectNode>> nodes)
{
    if (nodes.empty())
        return;
    const int first = parent.childCount();
    Q_EMIT nodesAboutToBeInserted(&parent, first, first + int(nodes.size()) - 1);
    for (auto &node : nodes)
        parent.appendChild(std::move(node));
    Q_EMIT nodesInserted();
}

ProjectNode *Project::insertNode(ProjectNode &parent, int row, std::unique_ptr<ProjectNode> node)
{
    Q_EMIT nodesAboutToBeInserted(&parent, row, row);
    ProjectNode *inserted = parent.insertChild(row, std::move(node));
    Q_EMIT nodesInserted();
    return inserted;
}

void Project::removeNode(ProjectNode &node)
{
    ProjectNode *parent = node.parent();
    if (!parent)
        return;
    if (m_currentNode && IsInSubtree(*m_currentNode, node))
        setCurrentNode(nullptr);
    if (m_uploadingNode && IsInSubtree(*m_uploadingNode, node))
        setUploadingNode(nullptr);
    Q_EMIT nodeAboutToBeRemoved(&node);
    std::unique_ptr<ProjectNode> removed = parent->takeChild(node.row());
    Q_EMIT nodeRemoved();
}

bool Project::moveNode(ProjectNode &node, ProjectNode &newParent, int row)
{
    ProjectNode *oldParent = node.parent();
    if (!oldParent || IsInSubtree(newParent, node))
        return false;
    const int oldRow = node.row();
    if (oldParent == &newParent && oldRow == row)
        return true;
    // Item models count the destination before the node has left.
    const int destinationRow = oldParent == &newParent && row > oldRow ? row + 1 : row;
    Q_EMIT nodeAboutToBeMoved(&node, &newParent, destinationRow);
    newParent.insertChild(row, oldParent->takeChild(oldRow));
    Q_EMIT nodeMoved();
    return true;
}

bool Project::renameNode(ProjectNode &node, const QString &text)
{
    if (node.text == text)
        return false;
    node.text = text;
    Q_EMIT nodeTextChanged(&node);
    return true;
}

void Project::setUploadingNode(ProjectNode *feed)
{
    if (m_uploadingNode == feed)
        return;
    ProjectNode *previous = std::exchange(m_uploadingNode, feed);
    if (previous)
        Q_EMIT uploadingNodeChanged(previous);
    if (feed)
        Q_EMIT uploadingNodeChanged(feed);
}
