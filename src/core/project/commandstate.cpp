#include "core/project/commandstate.h"

#include "core/project/project.h"

bool CanUpload(const ProjectNode *node)
{
    if (!node || !node->isFeed())
        return false;
    const ChannelSettings &settings = node->data()->settings;
    return !settings.ftptemplate.isEmpty() || !settings.ftpfolder.isEmpty();
}

bool IsCommandEnabled(Command command, const Project &project, const ProjectNode *current)
{
    const bool editableNode = current && current != &project.root();
    // A running upload still uses its feed and the tree around it.
    const bool idle = !project.isUploadActive();
    switch (command) {
    case Command::NewProject:
    case Command::OpenProject:
    case Command::InsertProject:
    case Command::InsertTable:
        return idle;
    case Command::SaveProject:
        // A project never saved is saved under a name chosen then.
        return !project.fileName().isEmpty() || project.isModified();
    case Command::SaveProjectTool:
        return project.isModified();
    case Command::SaveProjectAs:
    case Command::ExportNode:
    case Command::AddFeed:
    case Command::AddFolder:
    case Command::ResetChangedMarks:
        return true;
    case Command::Upload:
        return idle && CanUpload(current);
    case Command::CopyFeed:
        return current && current->isFeed();
    case Command::RenameNode:
        return editableNode;
    case Command::DeleteNode:
    case Command::DropNode:
        return idle && editableNode;
    }
    return false;
}
