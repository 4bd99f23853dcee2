#include "core/project/projectsnapshot.h"

#include "core/project/project.h"

std::unique_ptr<ProjectNode> CopyTree(const ProjectNode &node)
{
    auto copy = std::make_unique<ProjectNode>(node.text, node.kind,
                                              node.data() ? std::make_unique<FeedData>(*node.data())
                                                          : std::unique_ptr<FeedData>());
    for (int row = 0; row < node.childCount(); ++row)
        copy->appendChild(CopyTree(*node.child(row)));
    return copy;
}

ProjectSnapshot TakeSnapshot(const Project &project, const FeedData *live)
{
    std::unique_ptr<ProjectNode> root = CopyTree(project.root());
    const ProjectNode *current = project.currentNode();
    if (live && current && current->isFeed()) {
        // The same place in the copy: the rows from the root down.
        QList<int> rows;
        for (const ProjectNode *node = current; node->parent(); node = node->parent())
            rows.prepend(node->row());
        ProjectNode *copied = root.get();
        for (const int row : rows)
            copied = copied->child(row);
        *copied->data() = *live;
    }
    return {project.defaults, std::move(root), project.fileName()};
}
