#include "projectarguments.h"

#include "project/findfeed.h"

std::optional<ProjectContent> ReadProjectArgument(CliContext &context, const QString &path,
                                                  int *exitCode)
{
    ProjectContent content = ReadProjectFile(path);
    if (!content.isRead()) {
        context.err << path << ": " << content.error << Qt::endl;
        *exitCode = ExitUnreadable;
        return std::nullopt;
    }
    return content;
}

const ProjectNode *FindFeedArgument(CliContext &context, const ProjectContent &content,
                                    const QString &feedPath, int *exitCode)
{
    const ProjectNode *feed = FindFeedByPath(*content.root, feedPath);
    if (!feed) {
        context.err << feedPath << ": フィードが見つかりません。" << Qt::endl;
        *exitCode = ExitNotFound;
    }
    return feed;
}
