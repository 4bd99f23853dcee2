#pragma once

#include "core/model/channelsettings.h"

#include <QString>
#include <QStringList>

// One entry of a feed's FTP template list. Entry 0 is "使用しない"; a name
// the feed keeps but the template folder lacks is listed as missing, so that
// showing and storing the feed never loses it.
struct FtpTemplateEntry
{
    QString name;
    bool missing = false;

    bool operator==(const FtpTemplateEntry &) const = default;
};

// What the feed pages show. The settings hold the choices as the controls
// can show them (ver, htmlext and htmlmark one of their two choices, language "ja" or "en",
// ftptemplate the chosen entry's name or empty for "使用しない"); the template
// list may hold a template that is missing here.
struct FeedPageValues
{
    ChannelSettings settings;
    QList<FtpTemplateEntry> ftpEntries; // entry 0 is the "使用しない" entry

    bool operator==(const FeedPageValues &) const = default;
};
