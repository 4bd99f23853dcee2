#pragma once

#include <QList>
#include <QString>

// One thing the feed check found in a generated file.
struct FeedFinding
{
    enum class Severity
    {
        Warning, // readers cope, but the file is not what it should be
        Error    // readers may refuse the file or show something else
    };
    Severity severity = Severity::Error;
    int line = 0; // counted from 1; 0 when the finding concerns the whole file
    QString message;
    int row = 0; // the item's row in the grid, counted from 1; 0 when not about an item
};
using FeedFindings = QList<FeedFinding>;

// Keeps the order of findings on one line.
void SortByLine(FeedFindings &findings);
int CountFindings(const FeedFindings &findings, FeedFinding::Severity severity);
// "12行目: エラー: message" (without a line: "エラー: message"; about an
// item: "項目 3: 警告: message").
QString FindingText(const FeedFinding &finding);
