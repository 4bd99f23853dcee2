#include "core/project/standardoutputwriters.h"

#include "core/feed/feedfiles.h"
#include "core/feed/rssfile.h"
#include "core/html/htmlpage.h"
#include "core/project/projectwriter.h"

OutputWriters StandardOutputWriters(const Clock &clock)
{
    OutputWriters writers;
    writers.projectFile = [](const ProjectDefaults &defaults, const ProjectNode &top) {
        return WriteProjectFile(defaults, top);
    };
    writers.rssPath = &RssFilePath;
    writers.htmlPath = &HtmlFilePath;
    writers.rss = [clock](const FeedData &feed, const QString &path) {
        const RssFileContent content = RssFileBytes(feed, path, clock);
        return OutputWriters::RssBytes{content.bytes, content.noDuplicates};
    };
    writers.htmlPage = [clock](const FeedData &feed, UserInterface &ui) {
        return HtmlPageBytes(GenerateHtmlPage(feed, clock, ui));
    };
    return writers;
}
