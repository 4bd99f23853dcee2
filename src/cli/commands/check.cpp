// brisklet-cli check PROJECT.dta FEEDPATH: checks the feed's RSS file (and
// its page when the feed has one) as saving would write them, and prints
// the findings one per line with their line numbers. Exit code 0 without
// findings, 1 with warnings only, 2 with errors (or an unreadable project),
// 3 when there is no such feed.
#include "cli/command.h"
#include "cli/projectarguments.h"
#include "core/project/feedoutputcheck.h"
#include "core/project/standardoutputwriters.h"

namespace {

int runCheck(CliContext &context)
{
    int exitCode = ExitOk;
    const std::optional<FeedArguments> arguments =
        ReadFeedArguments(context, QStringLiteral("check PROJECT.dta FEEDPATH"), &exitCode);
    if (!arguments)
        return exitCode;
    const OutputCheck check = CheckFeedOutputs(StandardOutputWriters(context.clock),
                                               *arguments->feed->data(), context.args.at(0));
    const QStringList lines = check.lines();
    if (!lines.isEmpty())
        context.writeOut((lines.join(u'\n') + u'\n').toUtf8());
    if (check.errorCount() > 0)
        return ExitUnreadable;
    return check.warningCount() > 0 ? ExitFailure : ExitOk;
}

CommandRegistration registration{"check", "check PROJECT.dta FEEDPATH", &runCheck};

} // namespace
