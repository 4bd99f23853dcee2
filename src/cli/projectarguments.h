#pragma once

#include "cli/command.h"
#include "core/project/projectreader.h"

#include <optional>

// Reads the project file named on the command line, handing each feed read
// to feedRead; when it cannot be read, prints why (with the line) and leaves
// the exit code in *exitCode.
std::optional<ProjectContent> ReadProjectArgument(CliContext &context, const QString &path,
                                                  int *exitCode,
                                                  const FeedReadHandler &feedRead = {});
// Replaces the file at path with the project file of defaults and top
// through QSaveFile, so that a failure leaves the old file whole; prints why
// it failed. Returns ExitOk or ExitFailure.
int WriteProjectArgument(CliContext &context, const QString &path, const ProjectDefaults &defaults,
                         const ProjectNode &top);
// The feed at FEEDPATH; when there is none, prints so and leaves the exit
// code in *exitCode.
const ProjectNode *FindFeedArgument(CliContext &context, const ProjectContent &content,
                                    const QString &feedPath, int *exitCode);

// A project file and one of its feeds, as named by "PROJECT.dta FEEDPATH".
struct FeedArguments
{
    ProjectContent content;
    const ProjectNode *feed = nullptr; // inside content
};
// Reads the project and finds the feed that the command's two arguments
// name; when they are not two (usage is then printed), or reading or
// finding fails, prints why and leaves the exit code in *exitCode.
std::optional<FeedArguments> ReadFeedArguments(CliContext &context, const QString &usage,
                                               int *exitCode);
