#pragma once

#include "core/model/channelsettings.h"
#include "core/model/feeditem.h"

#include <QString>

// The addresses a feed's files point to, built from its settings with
// fallbacks so that a feed with only a root address still links somewhere.
// Every address is returned unescaped.

// The feed's site base address: src, else root; empty when the feed has no
// site address.
QString SiteBaseAddress(const ChannelSettings &settings);
// AddUrlSlash(SiteBaseAddress) + filename + the page extension,
// the file name lower-cased as the page file itself is named, so the
// address finds the page on servers that tell letter case apart.
QString HtmlPageAddress(const ChannelSettings &settings);
// The feed's HTML page on the site; empty without a base address or file
// name.
QString SitePageAddress(const ChannelSettings &settings);
// The address of the feed file on the site, the file name lower-cased as the
// saved file is named (servers tell names apart by case); empty without a
// base address or file name.
QString PublishedFeedAddress(const ChannelSettings &settings);

// The channel's page: link, else the HTML page when the feed has one, else
// src, else root.
QString ChannelLink(const ChannelSettings &settings);
// Where the logo leads: logolink, else root.
QString LogoLink(const ChannelSettings &settings);
// The item's url as stored, or, when it has none and the feed's HTML page
// labels its items, the item's place in that page.
QString ItemLink(const ChannelSettings &settings, const FeedItem &item);
// Where the RSS 1.0 file itself is published: src (else root) with "/" and
// the file name of the local RSS path (after its last "/"). Empty when both
// src and root are blank.
QString FeedAddress(const ChannelSettings &settings, const QString &rssFilePath);
// The RSS 1.0 resource name of an item: its link base with the date anchor,
// so that items sharing a link stay apart when their dates differ.
QString ItemAddress(const ChannelSettings &settings, const FeedItem &item);
// Two items whose keys are equal ignoring case name the same resource.
QString ItemDuplicateKey(const FeedItem &item);
// Where the RSS file is published under the name saving gives it, for
// the feed's link to itself. Empty when both src and root are blank.
QString SelfAddress(const ChannelSettings &settings);
