#include "core/project/findfeed.h"

#include "core/model/projectnode.h"

namespace {

// Searches below node, whose own path is prefix (unused for the root).
ProjectNode *findBelow(ProjectNode &node, const QString &prefix, const QString &wantedPath,
                       bool feedsOnly)
{
    for (int row = 0; row < node.childCount(); ++row) {
        ProjectNode &child = *node.child(row);
        const QString path = node.parent() ? prefix + u'/' + child.text : child.text;
        if ((!feedsOnly || child.isFeed()) && path == wantedPath)
            return &child;
        // A deeper path is only possible below a node whose path begins it.
        if (wantedPath.startsWith(path + u'/')) {
            if (ProjectNode *found = findBelow(child, path, wantedPath, feedsOnly))
                return found;
        }
    }
    return nullptr;
}

} // namespace

ProjectNode *FindFeedByPath(ProjectNode &root, const QString &feedPath)
{
    return findBelow(root, QString(), feedPath, true);
}

ProjectNode *FindNodeByPath(ProjectNode &root, const QString &nodePath)
{
    if (nodePath.isEmpty())
        return &root;
    return findBelow(root, QString(), nodePath, false);
}
