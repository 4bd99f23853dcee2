#include "core/project/treeplacement.h"

#include "core/model/projectnode.h"
#include "core/project/treeorder.h"

bool HoldsChildren(const ProjectNode &root, const ProjectNode &node)
{
    return &node == &root || node.kind == ProjectNode::FolderKind;
}

NodePlace AddPlace(ProjectNode &root, ProjectNode *current)
{
    ProjectNode &at = current ? *current : root;
    if (HoldsChildren(root, at))
        return {&at, at.childCount()};
    return {at.parent(), at.row() + 1};
}

std::optional<NodePlace> DropPlace(ProjectNode &root, ProjectNode &dragged, ProjectNode &target,
                                   bool shift)
{
    if (&dragged == &root || IsInSubtree(target, dragged))
        return std::nullopt;
    if (&target == &root || (!shift && HoldsChildren(root, target)))
        return NodePlace{&target, 0};
    // Counted with the dragged node taken out, the target's row is the place
    // after the target when the node came from above in the same parent
    // (the target moves up by one), and the place before it otherwise.
    return NodePlace{target.parent(), target.row()};
}

bool CanDrag(const ProjectNode &root, const ProjectNode *node)
{
    return node && node != &root;
}

ProjectNode *NodeAfterRemoval(const ProjectNode &node)
{
    ProjectNode *parent = node.parent();
    if (!parent)
        return nullptr;
    const int row = node.row();
    if (row + 1 < parent->childCount())
        return parent->child(row + 1);
    if (row > 0)
        return parent->child(row - 1);
    return parent;
}
