#pragma once

#include "core/model/channelsettings.h"
#include "core/model/projectnode.h"

#include <QString>
#include <memory>

class Project;

// The project as it stands at one moment, for another thread to write while
// the window goes on. Its texts and item lists share their memory with the
// project's until either side changes them, so taking one costs a walk over
// the nodes, not a copy of the items.
struct ProjectSnapshot
{
    ProjectDefaults defaults;
    std::shared_ptr<const ProjectNode> root;
    QString fileName;
};

// live: what the pages show for the current feed, taken in place of what
// was last stored into it; null takes the stored data.
ProjectSnapshot TakeSnapshot(const Project &project, const FeedData *live);

// A copy of the node with everything below it.
std::unique_ptr<ProjectNode> CopyTree(const ProjectNode &node);
