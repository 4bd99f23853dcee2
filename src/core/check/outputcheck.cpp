#include "outputcheck.h"

#include "checkfeed.h"
#include "extensioncheck.h"
#include "itemcheck.h"
#include "messagerecorder.h"
#include "preview/previewcontent.h"
#include "project/outputwriters.h"

#include <QFileInfo>

namespace {

int count(const QList<OutputCheck::File> &files, FeedFinding::Severity severity)
{
    int total = 0;
    for (const OutputCheck::File &file : files)
        total += CountFindings(file.findings, severity);
    return total;
}

} // namespace

int OutputCheck::errorCount() const
{
    return count(files, FeedFinding::Severity::Error);
}

int OutputCheck::warningCount() const
{
    return count(files, FeedFinding::Severity::Warning);
}

QStringList OutputCheck::lines() const
{
    QStringList result;
    for (const File &file : files)
        for (const FeedFinding &finding : file.findings)
            result << file.name + u' ' + FindingText(finding);
    return result;
}

OutputCheck CheckOutputs(const QString &rssName, const QByteArray &rssBytes,
                         const QString &pageName, const QByteArray *pageBytes)
{
    OutputCheck check;
    check.files.append({rssName, CheckFeed(rssBytes)});
    if (pageBytes)
        check.files.append({pageName, CheckHtmlPage(*pageBytes)});
    return check;
}

OutputCheck CheckFeedOutputs(const OutputWriters &writers, const TEditList &feed,
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

QString OutputErrorsText(int errorCount)
{
    return QStringLiteral("出力ファイルの検査で誤りが %1 件見つかりました.").arg(errorCount);
}
