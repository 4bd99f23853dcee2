#include "core/check/outputcheck.h"

#include "core/check/checkfeed.h"

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

QString OutputErrorsText(int errorCount)
{
    return QStringLiteral("出力ファイルの検査で誤りが %1 件見つかりました.").arg(errorCount);
}
