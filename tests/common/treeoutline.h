#pragma once

#include <QString>

class ProjectNode;

// A project tree written on one line, so that a test states a whole tree:
// "News(a b) c Old#3" is a folder News holding the feeds a and b, then the
// feed c and a node Old of kind 3. A folder always shows its parentheses.
namespace treeoutline {

// Appends the nodes of the outline below parent.
void build(ProjectNode &parent, const QString &outline);
// The outline of everything below parent.
QString of(const ProjectNode &parent);
// The first node in tree order with the text.
ProjectNode *find(ProjectNode &root, const QString &text);

} // namespace treeoutline
