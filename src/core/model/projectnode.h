#pragma once

#include "core/model/feeddata.h"
#include "core/model/nodekind.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// One node of the project tree: the root, a folder or a feed (NodeKind).
class ProjectNode
{
public:
    using Kind = NodeKind;
    using enum NodeKind;

    ProjectNode(const QString &text, int kind, std::unique_ptr<FeedData> data = {});
    ~ProjectNode();
    ProjectNode(const ProjectNode &) = delete;
    ProjectNode &operator=(const ProjectNode &) = delete;

    QString text;
    int kind;

    // A feed always has data; a folder made by the user has none.
    FeedData *data() const { return m_data.get(); }
    void setData(std::unique_ptr<FeedData> data) { m_data = std::move(data); }
    // Only a kind-2 node with data is saved, generated and uploaded.
    bool isFeed() const { return kind == FeedKind && m_data; }

    ProjectNode *parent() const { return m_parent; }
    int childCount() const { return int(m_children.size()); }
    ProjectNode *child(int row) const { return m_children.at(size_t(row)).get(); }
    // Position among the parent's children; 0 for a node without parent.
    int row() const;

    ProjectNode *appendChild(std::unique_ptr<ProjectNode> child);
    ProjectNode *insertChild(int row, std::unique_ptr<ProjectNode> child);
    std::unique_ptr<ProjectNode> takeChild(int row);

    // Visits this node and everything below it in tree order.
    void forEach(const std::function<void(ProjectNode &)> &visit);
    // Visits the feeds at and below this node in tree order.
    void forEachFeed(const std::function<void(ProjectNode &)> &visit);
    void forEachFeed(const std::function<void(const ProjectNode &)> &visit) const;

    // Node texts from the child of the root down to this node, joined by "/".
    QString path() const;

private:
    ProjectNode *m_parent = nullptr;
    std::vector<std::unique_ptr<ProjectNode>> m_children;
    std::unique_ptr<FeedData> m_data;
};
