#pragma once

#include <optional>

class ProjectNode;

// Where the tree commands put nodes. A row counts as if a moved node had
// already left its old place.
struct NodePlace
{
    ProjectNode *parent = nullptr;
    int row = 0;

    bool operator==(const NodePlace &) const = default;
};

// The root (known by identity, whatever its kind says) and folders take
// children; feeds and nodes of other kinds are leaves, since anything put
// inside them would vanish at the next save.
bool HoldsChildren(const ProjectNode &root, const ProjectNode &node);

// An added feed or folder becomes the last child of a root or folder, and
// the next sibling of any other node. Without a current node it goes below
// the root.
NodePlace AddPlace(ProjectNode &root, ProjectNode *current);

// Dropping onto the root makes the first child of the root; onto a folder
// without Shift, the folder's first child. Onto anything else, or onto a
// folder with Shift, the node lands after the target when it came from
// above within the same parent, else before it. The root is never dragged;
// a drop onto the dragged node or into its own subtree is refused.
std::optional<NodePlace> DropPlace(ProjectNode &root, ProjectNode &dragged, ProjectNode &target,
                                   bool shift);

// A drag starts only from a node that is not the root.
bool CanDrag(const ProjectNode &root, const ProjectNode *node);

// The node that becomes current once node is removed: the next sibling,
// else the previous one, else the parent.
ProjectNode *NodeAfterRemoval(const ProjectNode &node);
