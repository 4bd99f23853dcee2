#include "core/model/projectnode.h"

#include <utility>

#include <QStringList>

ProjectNode::ProjectNode(const QString &text, int kind, std::unique_ptr<FeedData> data)
    : text(text), kind(kind), m_data(std::move(data))
{
}

ProjectNode::~ProjectNode() = default;

int ProjectNode::row() const
{
    if (!m_parent)
        return 0;
    for (int i = 0; i < m_parent->childCount(); ++i) {
        if (m_parent->child(i) == this)
            return i;
    }
    return 0;
}

ProjectNode *ProjectNode::appendChild(std::unique_ptr<ProjectNode> child)
{
    return insertChild(childCount(), std::move(child));
}

ProjectNode *ProjectNode::insertChild(int row, std::unique_ptr<ProjectNode> child)
{
    child->m_parent = this;
    auto it = m_children.insert(m_children.begin() + row, std::move(child));
    return it->get();
}

std::unique_ptr<ProjectNode> ProjectNode::takeChild(int row)
{
    auto child = std::move(m_children.at(size_t(row)));
    m_children.erase(m_children.begin() + row);
    child->m_parent = nullptr;
    return child;
}

void ProjectNode::forEach(const std::function<void(ProjectNode &)> &visit)
{
    visit(*this);
    for (auto &child : m_children)
        child->forEach(visit);
}

void ProjectNode::forEachFeed(const std::function<void(ProjectNode &)> &visit)
{
    std::as_const(*this).forEachFeed(
        [&](const ProjectNode &node) { visit(const_cast<ProjectNode &>(node)); });
}

void ProjectNode::forEachFeed(const std::function<void(const ProjectNode &)> &visit) const
{
    if (isFeed())
        visit(*this);
    for (const auto &child : m_children)
        std::as_const(*child).forEachFeed(visit);
}

QString ProjectNode::path() const
{
    QStringList parts;
    for (const ProjectNode *node = this; node && node->m_parent; node = node->m_parent)
        parts.prepend(node->text);
    return parts.join(u'/');
}
