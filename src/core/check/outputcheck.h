#pragma once

#include "core/check/feedfinding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The feed check of one feed's outputs, as saving writes them.
struct OutputCheck
{
    struct File
    {
        QString name; // the file name, for the lines
        FeedFindings findings;
    };
    QList<File> files; // the RSS file, then the page when the feed has one

    int errorCount() const;
    int warningCount() const;
    // One line per finding: file name, line, severity and message.
    QStringList lines() const;
};

// Checks the RSS bytes (and the page's bytes when pageBytes is not null).
OutputCheck CheckOutputs(const QString &rssName, const QByteArray &rssBytes,
                         const QString &pageName = {}, const QByteArray *pageBytes = nullptr);

// The line that saving and uploading add when the outputs have errors; they
// are written or sent all the same.
QString OutputErrorsText(int errorCount);
