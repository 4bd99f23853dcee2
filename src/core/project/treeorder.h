#pragma once

class ProjectNode;

// Positions in tree order: the root is 0, then every node before its
// children, children in their order. The settings keep the selected node as
// such a position (TreeIndex).

// The position of node below root; -1 when node is none or not in the tree.
int TreeIndexOf(const ProjectNode &root, const ProjectNode *node);
// The node at the position; none when the position lies outside the tree.
ProjectNode *NodeAtTreeIndex(ProjectNode &root, int index);
// True when node is ancestor itself or lies below it.
bool IsInSubtree(const ProjectNode &node, const ProjectNode &ancestor);
