#include "core/project/feedoutputcheck.h"

#include "core/check/extensioncheck.h"
#include "core/check/itemcheck.h"
#include "core/messagerecorder.h"
#include "core/preview/previewcontent.h"
#include "core/project/outputwriters.h"

#include <QFileInfo>

OutputCheck CheckFeedOutputs(const OutputWriters &writers, const FeedData &feed,
                             const QString &projectFile)
{
    const ChannelSettings &settings = feed.settings;
    const QString rssPath = writers.rssPath(settings, projectFile).value_or(UnresolvedFileName());
    const QByteArray rssBytes = writers.rss(feed, rssPath).bytes;
    const QString rssName = QFileInfo(rssPath).fileName();
    OutputCheck check;
    if (!settings.html) {
        check = CheckOutputs(rssName, rssBytes);
    } else {
        MessageRecorder templateMessages;
        const QByteArray page = writers.htmlPage(feed, templateMessages);
        const QString pageName =
            QFileInfo(writers.htmlPath(settings, projectFile).value_or(UnresolvedFileName()))
                .fileName();
        check = CheckOutputs(rssName, rssBytes, pageName, &page);
    }
    // What the items hold goes with the RSS file, after what the file shows.
    check.files.first().findings += CheckFeedItems(feed);
    check.files.first().findings += CheckFeedExtensions(feed);
    return check;
}
