// brisklet-cli html PROJECT.dta FEEDPATH: prints the feed's HTML page in the
// character set the page names, whether or not the feed's page is switched
// on. Template errors go to stderr; the page holds what was expanded.
#include "cli/cliuserinterface.h"
#include "cli/command.h"
#include "cli/projectarguments.h"
#include "core/html/htmlpage.h"

namespace {

int runHtml(CliContext &context)
{
    int exitCode = ExitOk;
    const std::optional<FeedArguments> arguments =
        ReadFeedArguments(context, QStringLiteral("html PROJECT.dta FEEDPATH"), &exitCode);
    if (!arguments)
        return exitCode;
    const ProjectNode *feed = arguments->feed;
    context.writeOut(HtmlPageBytes(GenerateHtmlPage(*feed->data(), context.clock, context.ui)));
    return ExitOk;
}

CommandRegistration registration{"html", "html PROJECT.dta FEEDPATH", &runHtml};

} // namespace
