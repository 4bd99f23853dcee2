#pragma once

#include "core/clock.h"
#include "core/model/feeddata.h"
#include "core/userinterface.h"

#include <QByteArray>
#include <QString>

// The feed's HTML page: its template expanded over its items. Template
// syntax errors are shown through the user interface.
QString GenerateHtmlPage(const FeedData &feed, const Clock &clock, UserInterface &ui);

// The page's bytes in the character set the page itself names; characters
// without a form in that set become numeric character references.
QByteArray HtmlPageBytes(const QString &page);

// Writes the page's bytes, with nothing added, to a temporary file beside
// the path and renames it into place, so the old page stays whole until the
// new one is complete. False when the file cannot be written.
bool WriteHtmlFile(const QString &path, const QString &page);

// The page address line of the HTML tab.
struct HtmlPageAddressLabel
{
    QString text;
    bool enabled = false;
};
HtmlPageAddressLabel PageAddressLabel(const ChannelSettings &settings);
