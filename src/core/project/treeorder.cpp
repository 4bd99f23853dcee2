#include "core/project/treeorder.h"

#include "core/model/projectnode.h"

namespace {

// Walks the tree in order until visit returns true; gives that node.
template <typename Node, typename Visit>
Node *findInOrder(Node &node, int &position, const Visit &visit)
{
    if (visit(node, position++))
        return &node;
    for (int row = 0; row < node.childCount(); ++row) {
        if (Node *found = findInOrder<Node>(*node.child(row), position, visit))
            return found;
    }
    return nullptr;
}

} // namespace

int TreeIndexOf(const ProjectNode &root, const ProjectNode *node)
{
    if (!node)
        return -1;
    int position = 0;
    int found = -1;
    findInOrder<const ProjectNode>(root, position, [&](const ProjectNode &visited, int at) {
        if (&visited != node)
            return false;
        found = at;
        return true;
    });
    return found;
}

ProjectNode *NodeAtTreeIndex(ProjectNode &root, int index)
{
    if (index < 0)
        return nullptr;
    int position = 0;
    return findInOrder<ProjectNode>(root, position,
                                    [index](const ProjectNode &, int at) { return at == index; });
}

bool IsInSubtree(const ProjectNode &node, const ProjectNode &ancestor)
{
    for (const ProjectNode *walk = &node; walk; walk = walk->parent()) {
        if (walk == &ancestor)
            return true;
    }
    return false;
}
