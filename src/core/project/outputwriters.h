#pragma once

#include "core/model/channelsettings.h"
#include "core/model/feeddata.h"
#include "core/model/projectnode.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class UserInterface;

// The writers that saving hands the project and each feed to. The program
// uses StandardOutputWriters; the pieces stay replaceable so that one
// place decides how a project turns into files.
struct OutputWriters
{
    struct RssBytes
    {
        QByteArray bytes;
        // False when two items would name the same RSS 1.0 resource.
        bool noDuplicates = true;
    };

    // The project file's bytes: the defaults and everything below top (all
    // of the root's children when top is a root).
    std::function<QByteArray(const ProjectDefaults &, const ProjectNode &top)> projectFile;
    // The local paths of a feed's files; none when the feed names no usable
    // file.
    std::function<std::optional<QString>(const ChannelSettings &, const QString &projectFile)>
        rssPath;
    std::function<std::optional<QString>(const ChannelSettings &, const QString &projectFile)>
        htmlPath;
    std::function<RssBytes(const FeedData &, const QString &rssPath)> rss;
    // The page's bytes in the character set it names. Template syntax errors
    // are told to the user interface given.
    std::function<QByteArray(const FeedData &, UserInterface &)> htmlPage;
};
