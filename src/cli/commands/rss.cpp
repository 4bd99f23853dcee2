// brisklet-cli rss PROJECT.dta FEEDPATH: prints the bytes that saving the
// project writes into the feed's RSS file, with the time of --now as the
// feed's own date.
#include "cli/command.h"
#include "cli/projectarguments.h"
#include "core/feed/feedfiles.h"
#include "core/feed/rssfile.h"
#include "core/project/feedgeneration.h"

namespace {

int runRss(CliContext &context)
{
    int exitCode = ExitOk;
    const std::optional<FeedArguments> arguments =
        ReadFeedArguments(context, QStringLiteral("rss PROJECT.dta FEEDPATH"), &exitCode);
    if (!arguments)
        return exitCode;
    const QString &projectPath = context.args.at(0);
    const QString &feedPath = context.args.at(1);
    const ProjectNode *feed = arguments->feed;
    const FeedData &data = *feed->data();
    // Saving writes no files for a feed without these two.
    if (data.settings.filename.isEmpty() || data.settings.localfolder.isEmpty()) {
        context.err << feedPath << ": ファイル名とローカルフォルダが設定されていません。"
                    << Qt::endl;
        return ExitFailure;
    }
    const std::optional<QString> rssPath = RssFilePath(data.settings, projectPath);
    if (!rssPath) {
        context.err << feedPath << ": " << RssFileFailedText() << Qt::endl;
        return ExitFailure;
    }

    const RssFileContent rss = RssFileBytes(data, *rssPath, context.clock);
    context.writeOut(rss.bytes);
    if (!rss.noDuplicates)
        context.err << FeedProblemLine(feed->text, DuplicateAddressText()) << Qt::endl;
    return ExitOk;
}

CommandRegistration registration{"rss", "rss PROJECT.dta FEEDPATH", &runRss};

} // namespace
