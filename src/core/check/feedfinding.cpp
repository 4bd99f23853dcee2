#include "core/check/feedfinding.h"

#include <algorithm>

void SortByLine(FeedFindings &findings)
{
    std::ranges::stable_sort(findings, {}, &FeedFinding::line);
}

int CountFindings(const FeedFindings &findings, FeedFinding::Severity severity)
{
    return int(std::ranges::count(findings, severity, &FeedFinding::severity));
}

QString FindingText(const FeedFinding &finding)
{
    const QString severity = finding.severity == FeedFinding::Severity::Error
                                 ? QStringLiteral("エラー: ")
                                 : QStringLiteral("警告: ");
    const QString place = finding.row > 0 ? QStringLiteral("項目 %1: ").arg(finding.row)
                          : finding.line > 0
                              ? QString::number(finding.line) + QStringLiteral("行目: ")
                              : QString();
    return place + severity + finding.message;
}
