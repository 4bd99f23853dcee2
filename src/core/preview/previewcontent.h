#pragma once

#include "core/clock.h"
#include "core/model/feeddata.h"
#include "core/userinterface.h"

#include <QString>

// What the previews and the source view show of a feed.

// The file names of the test files the previews open; RSS 1.0 previews as
// ".xml" too.
inline QString RssTestFileName()
{
    return QStringLiteral("brisklettest.xml");
}
inline QString HtmlTestFileName()
{
    return QStringLiteral("brisklettest.html");
}
// What stands for a local RSS path that cannot be resolved.
inline QString UnresolvedFileName()
{
    return QStringLiteral("[ファイル名未解決]");
}

// The stylesheet argument of the RSS preview (the writers' styleArgument)
// and the note to confirm when the stylesheet cannot be found.
struct PreviewStyle
{
    QString argument;
    QString note; // empty when there is nothing to confirm
};
// A style with "/" (or none) is the writer's own; a bare file name comes
// from the site when the feed has a site address, else from the local
// folder (dataFolder when the feed has none) as a file address.
PreviewStyle ChoosePreviewStyle(const ChannelSettings &settings, const QString &dataFolder);
// The question asked before previewing with that note.
QString PreviewStyleQuestion(const QString &note);

// The RSS text the source view and the RSS preview show: the local RSS path
// resolved against projectFile, "[ファイル名未解決]" when there is none.
QString FeedRssText(const FeedData &feed, const QString &projectFile, const QString &styleArgument,
                    const Clock &clock);

// What CB_View shows: its item index.
enum class SourceView
{
    Rss = 0,
    Html = 1
};
// The source view's text, as generated, before any conversion.
QString SourceViewText(const FeedData &feed, SourceView view, const QString &projectFile,
                       const Clock &clock, UserInterface &ui);

// The address the "プレビュー" button opens: the focused control's text when
// it begins with "http" (any case), else the channel link chain of the feed
// (with settings null when no feed is selected: empty).
QString AddressPreviewTarget(const QString &focusedText, const ChannelSettings *settings);
