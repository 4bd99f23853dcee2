#pragma once

#include "project/channelsettings.h"

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

// What the feed pages show: the channel settings as the controls hold them.
// The choices are control indices; the FTP template is an index into the
// entries, so the page can list a template that is missing here.
struct FeedPageValues
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
    QString localfolder;
    QString ftpfolder;
    bool dateset = true;
    bool addressset = true;
    bool creatorset = true;
    bool content = false;
    int verIndex = 1;      // 0 "RSS1.0 - rdf", 1 "RSS2.0 - xml"
    int rssline = 15;      // outside 5..100 only while the user has not edited it
    int languageIndex = 0; // 0 "ja", 1 "en"
    int descstrmax = 30;
    QList<FtpTemplateEntry> ftpEntries; // entry 0 is the "使用しない" entry
    int ftpIndex = 0;

    // The HTML tab.
    bool html = false;
    int htmlextIndex = 0;  // 0 ".html", 1 ".htm"
    int htmlmarkIndex = 0; // 0 "xhtml", 1 "html"
    bool htmllabel = false;
    QString htmlscript;

    bool operator==(const FeedPageValues &) const = default;
};
