#include "cli/projectarguments.h"

#include "core/project/findfeed.h"
#include "core/project/projectwriter.h"

#include <QSaveFile>

std::optional<ProjectContent> ReadProjectArgument(CliContext &context, const QString &path,
                                                  int *exitCode, const FeedReadHandler &feedRead)
{
    ProjectContent content = ReadProjectFile(path, feedRead);
    if (!content.isRead()) {
        context.err << path << ": " << content.error << Qt::endl;
        *exitCode = ExitUnreadable;
        return std::nullopt;
    }
    return content;
}

int WriteProjectArgument(CliContext &context, const QString &path, const ProjectDefaults &defaults,
                         const ProjectNode &top)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !WriteProjectFile(defaults, top, out) || !out.commit()) {
        context.err << path << ": " << out.errorString() << Qt::endl;
        return ExitFailure;
    }
    return ExitOk;
}

std::optional<FeedArguments> ReadFeedArguments(CliContext &context, const QString &usage,
                                               int *exitCode)
{
    if (context.args.size() != 2) {
        *exitCode = context.usageError(usage);
        return std::nullopt;
    }
    std::optional<ProjectContent> content =
        ReadProjectArgument(context, context.args.at(0), exitCode);
    if (!content)
        return std::nullopt;
    const ProjectNode *feed = FindFeedArgument(context, *content, context.args.at(1), exitCode);
    if (!feed)
        return std::nullopt;
    return FeedArguments{std::move(*content), feed};
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
