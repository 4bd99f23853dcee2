#include "core/feed/rssfile.h"

#include "core/feed/rss1writer.h"
#include "core/feed/rss2writer.h"

RssFileContent RssFileBytes(const FeedData &feed, const QString &rssFilePath, const Clock &clock,
                            const QString &styleArgument)
{
    const RssText rss = feed.settings.ver == RssVersion::Rss1
                            ? WriteRss1(feed, rssFilePath, styleArgument, clock)
                            : WriteRss2(feed, styleArgument, clock);
    // The writers leave out every character UTF-8 could not carry (lone
    // surrogates), so the plain conversion is exact.
    return {rss.text.toUtf8(), rss.noDuplicates};
}
