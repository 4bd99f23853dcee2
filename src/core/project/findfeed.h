#pragma once

#include <QString>

class ProjectNode;

// The first feed in tree order whose path (node texts from a child of the
// root down to the feed, joined by "/") is feedPath; nullptr when none is.
ProjectNode *FindFeedByPath(ProjectNode &root, const QString &feedPath);
// The first node of any kind in tree order whose path is nodePath; the
// empty path names the root itself.
ProjectNode *FindNodeByPath(ProjectNode &root, const QString &nodePath);
