#pragma once

#include <QString>

class ProjectNode;

// A page on the right-hand side that edits a node: the feed tabs implement
// it. The page frame calls storeNode for the node being left and showNode
// for the node becoming current, and storeNode again before the window saves,
// opens, starts a new project, closes, previews or imports.
class NodePage
{
public:
    virtual ~NodePage() = default;

    // Fills the page from the node (a feed).
    virtual void showNode(ProjectNode &node) = 0;
    // Writes the page back into the node.
    virtual void storeNode(ProjectNode &node) = 0;
    // Writes what the page shows into another node (a copy of the one
    // shown), leaving the page as it is.
    virtual void peekNode(ProjectNode &node) const = 0;
    // Puts the page to the project defaults (new project, new feed).
    virtual void resetPage() {}
    // The first status bar panel while this page is the active tab; empty
    // for the tab's own caption.
    virtual QString statusText() const { return {}; }
};
