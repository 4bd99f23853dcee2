#pragma once

#include "core/model/channelsettings.h"

#include <QString>
#include <optional>

// The local files a feed is generated into: its localfolder when that is an
// existing folder, else the project file's folder; the name is the feed's
// filename with the format's extension, lower-cased (ASCII letters only; the
// folder keeps its case, since on this system it names a different folder
// otherwise). Paths use "/".
//
// There is no path (std::nullopt) when the filename is blank, is "." or
// "..", or holds "/", "\" or NUL, so that a feed can never write outside its
// folder; nor when there is no folder at all (no usable localfolder and no
// project file). The caller reports it.

// ".rdf" for RSS 1.0, ".xml" for RSS 2.0.
QString RssExtension(const ChannelSettings &settings);
// ".html", or ".htm" for the page extension Htm.
QString HtmlPageExtension(PageExtension extension);
// The name alone, as the feed is published under it.
QString RssFileName(const ChannelSettings &settings);
std::optional<QString> RssFilePath(const ChannelSettings &settings, const QString &projectFilePath);
std::optional<QString> HtmlFilePath(const ChannelSettings &settings,
                                    const QString &projectFilePath);
