// brisklet-cli build PROJECT.dta: writes every feed's RSS file and HTML page
// as saving does, without rewriting the project file. A project file that
// cannot be read changes no feed's files. Prints one line per
// problem of a single feed. Exit 0 when there was none, 1 when there were
// some, 2 when the project cannot be read or another user has it open.
#include "cli/cliuserinterface.h"
#include "cli/command.h"
#include "cli/projectarguments.h"
#include "core/project/feedgeneration.h"
#include "core/project/project.h"
#include "core/project/projectloading.h"
#include "core/project/projectlock.h"
#include "core/project/standardoutputwriters.h"

#include <QFileInfo>

namespace {

int runBuild(CliContext &context)
{
    if (context.args.size() != 1)
        return context.usageError(QStringLiteral("build PROJECT.dta"));
    const QString path = QFileInfo(context.args.first()).absoluteFilePath();

    // The outputs are the project's as much as its file: while another user
    // has it open, they are theirs to write.
    ProjectLock lock;
    if (!lock.check(path, &context.ui))
        return ExitUnreadable;
    // Feeds are generated while the rest of the file is read; their files
    // go in place only once the whole file has been read.
    const OutputWriters writers = StandardOutputWriters(context.clock);
    FeedGeneration generation(writers, path);
    int exitCode = ExitOk;
    std::optional<ProjectContent> content = ReadProjectArgument(
        context, path, &exitCode, [&](const ProjectNode &feed) { generation.add(feed); });
    if (!content)
        return exitCode;
    if (!lock.take(path, context.ui))
        return ExitUnreadable;
    Project project;
    OpenProjectContent(project, std::move(*content), path);

    const QString report = generation.commit(project.root(), context.ui);
    lock.release();
    const QStringList entries = report.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString &entry : entries)
        context.writeOut(entry.toUtf8() + '\n');
    return entries.isEmpty() ? ExitOk : ExitFailure;
}

CommandRegistration registration{"build", "build PROJECT.dta", &runBuild};

} // namespace
