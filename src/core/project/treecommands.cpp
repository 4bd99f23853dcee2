#include "core/project/treecommands.h"

#include "core/project/commandstate.h"
#include "core/project/project.h"
#include "core/project/treeplacement.h"
#include "core/userinterface.h"

namespace {

ProjectNode *addNode(Project &project, ProjectNode *current, std::unique_ptr<ProjectNode> node)
{
    const NodePlace place = AddPlace(project.root(), current);
    ProjectNode *added = project.insertNode(*place.parent, place.row, std::move(node));
    project.setModified(true);
    return added;
}

// What the pages would put into a new feed at its first store: an empty
// record with the project defaults, but no FTP template. The feed holds them
// from the start, so that it is whole even before its pages are stored.
std::unique_ptr<FeedData> newFeedData(const ProjectDefaults &defaults)
{
    auto data = std::make_unique<FeedData>();
    ChannelSettings &s = data->settings;
    s = ChannelSettings::allEmpty();
    s.ver = defaults.ver;
    s.dateset = defaults.dateset;
    s.addressset = defaults.addressset;
    s.creatorset = defaults.creatorset;
    s.rssline = defaults.rssline;
    s.language = defaults.language;
    s.descstrmax = defaults.descstrmax;
    s.content = defaults.content;
    s.selflink = defaults.selflink;
    s.itemguid = defaults.itemguid;
    return data;
}

} // namespace

ProjectNode *AddFeed(Project &project, ProjectNode *current)
{
    return addNode(project, current,
                   std::make_unique<ProjectNode>(QStringLiteral("新しいフィード"),
                                                 ProjectNode::FeedKind,
                                                 newFeedData(project.defaults)));
}

ProjectNode *AddFolder(Project &project, ProjectNode *current)
{
    return addNode(
        project, current,
        std::make_unique<ProjectNode>(QStringLiteral("新しいフォルダ"), ProjectNode::FolderKind));
}

ProjectNode *CopyFeed(Project &project, ProjectNode &source)
{
    if (!source.isFeed())
        return nullptr;
    auto data = std::make_unique<FeedData>(*source.data());
    // The copy has not been edited since any upload of its own.
    data->changed = false;
    return addNode(project, &source,
                   std::make_unique<ProjectNode>(source.text + QStringLiteral(" の複写"),
                                                 ProjectNode::FeedKind, std::move(data)));
}

ProjectNode *DeleteNode(Project &project, UserInterface &ui, ProjectNode *node)
{
    if (!IsCommandEnabled(Command::DeleteNode, project, node))
        return nullptr;
    // Whatever lies below goes too, so a node with children asks as a folder.
    const QString question = node->kind == ProjectNode::FolderKind || node->childCount() > 0
                                 ? QStringLiteral("選択されている項目以下を全て削除しますか？")
                                 : QStringLiteral("選択されている項目を削除しますか？");
    if (ui.askYesCancel(question) != UserInterface::Answer::Yes)
        return nullptr;
    ProjectNode *next = NodeAfterRemoval(*node);
    project.removeNode(*node);
    project.setModified(true);
    return next;
}

bool RenameNode(Project &project, ProjectNode &node, const QString &text)
{
    if (&node == &project.root() || !project.renameNode(node, text))
        return false;
    project.setModified(true);
    return true;
}

bool DropNode(Project &project, ProjectNode &dragged, ProjectNode &target, bool shift)
{
    if (!IsCommandEnabled(Command::DropNode, project, &dragged))
        return false;
    const std::optional<NodePlace> place = DropPlace(project.root(), dragged, target, shift);
    if (!place || !project.moveNode(dragged, *place->parent, place->row))
        return false;
    project.setModified(true);
    return true;
}
