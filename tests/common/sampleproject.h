#pragma once

#include "model/channelsettings.h"
#include "project/projectnode.h"

#include <memory>

// A small project that touches every field and the writer's special cases:
// a folder named "A&B" holding a feed with three items (one all blank, one
// with only a date), a top-level feed started from the all-empty record, and
// a node of another kind that is never written. tests/data/sample.dta holds
// its exact bytes.
namespace sampleproject {

ProjectDefaults defaults();
// A detached root with the sample's top-level nodes.
std::unique_ptr<ProjectNode> tree();
// The feed inside the folder, as the tree holds it.
ChannelSettings newsSettings();

} // namespace sampleproject
