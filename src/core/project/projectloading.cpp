#include "core/project/projectloading.h"

#include "core/project/project.h"
#include "core/userinterface.h"

#include <algorithm>

std::optional<ProjectContent> ReadProjectFileOrTell(const QString &path, UserInterface &ui)
{
    ProjectContent content = ReadProjectFile(path);
    if (!content.isRead()) {
        ui.information(content.error);
        return std::nullopt;
    }
    return content;
}

void OpenProjectContent(Project &project, ProjectContent content, const QString &fileName)
{
    project.defaults = content.defaults;
    project.replaceTree(std::move(content.root));
    project.setFileName(fileName);
    project.updateRootName();
    project.setModified(false);
}

ProjectNode &InsertProjectContent(Project &project, ProjectContent content, ProjectNode *selected)
{
    ProjectNode *target = selected ? selected : &project.root();
    if (target->isFeed())
        target = target->parent();
    std::vector<std::unique_ptr<ProjectNode>> nodes;
    nodes.reserve(size_t(content.root->childCount()));
    // Taken from the end, so that no child has to move up.
    while (content.root->childCount() > 0)
        nodes.push_back(content.root->takeChild(content.root->childCount() - 1));
    std::reverse(nodes.begin(), nodes.end());
    project.appendNodes(*target, std::move(nodes));
    project.setModified(true);
    return *target;
}
