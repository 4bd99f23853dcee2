#pragma once

#include "core/model/feedformats.h"

#include <QString>

// A feed's channel settings. The member initialisers are the values a field
// takes when a project file does not name it (the default channel record).
// Field names are the project file's element names.
struct ChannelSettings
{
    QString filename;
    QString root;
    QString src;
    QString title;
    QString creator;
    QString link;
    QString description;
    QString logotitle;
    QString logosrc;
    QString logolink;
    QString style;
    bool dateset = true;
    bool addressset = true;
    bool creatorset = true;
    RssVersion ver = RssVersion::Rss2;
    QString localfolder;
    int rssline = 15;
    QString language = QStringLiteral("ja");
    int descstrmax = 30;
    bool content = false;
    bool html = false;
    PageExtension htmlext = PageExtension::Html;
    Markup htmlmark = Markup::Xhtml;
    QString htmlscript;
    bool htmllabel = false;
    QString ftptemplate;
    QString ftpfolder;
    QString memo; // only the project defaults use it; a feed never writes it
    // Podcast channel values, written only while podcast is on. The
    // category is one of Apple's, "Main" or "Main/Sub".
    bool podcast = false;
    QString itunesimage;
    QString itunescategory;
    bool itunesexplicit = false;
    QString itunesauthor;
    QString itunesowner;
    QString itunesemail;
    QString itunestype; // "episodic", "serial" or empty
    // Publishing extras: the feed names its own address (atom:link
    // rel="self") and gives every item a guid.
    bool selflink = false;
    bool itemguid = false;
    // The upload sends the items' local media files before the feed.
    bool uploadmedia = false;

    bool operator==(const ChannelSettings &) const = default;

    // A feed that the user creates starts from this record: texts empty,
    // numbers 0, switches off. Its pages then fill in the project defaults.
    static ChannelSettings allEmpty()
    {
        ChannelSettings s;
        s.dateset = s.addressset = s.creatorset = false;
        s.ver = RssVersion::Rss1;
        s.rssline = 0;
        s.language.clear();
        s.descstrmax = 0;
        return s;
    }
};

// The project-wide defaults, held in the project element of the file.
struct ProjectDefaults
{
    RssVersion ver = RssVersion::Rss2;
    bool dateset = true;
    bool addressset = true;
    bool creatorset = true;
    int rssline = 15;
    QString language = QStringLiteral("ja"); // "ja" or "en"
    int descstrmax = 30;
    bool content = false;
    QString memo;
    QString ftptemplate; // empty = no template
    bool selflink = false;
    bool itemguid = false;

    bool operator==(const ProjectDefaults &) const = default;
};
