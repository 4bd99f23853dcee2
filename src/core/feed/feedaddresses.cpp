#include "core/feed/feedaddresses.h"

#include "core/feed/feedfiles.h"
#include "core/text/textops.h"

QString HtmlPageAddress(const ChannelSettings &settings)
{
    return AddUrlSlash(SiteBaseAddress(settings)) + AsciiLower(settings.filename) +
           HtmlPageExtension(settings.htmlext);
}

namespace {

bool linksIntoHtmlPage(const ChannelSettings &settings, const FeedItem &item)
{
    return settings.html && settings.htmllabel && TrimWide(item.url).isEmpty();
}

QString anchored(const QString &base, const FeedItem &item)
{
    return base + QLatin1Char('#') + ItemAnchor(item.date);
}

} // namespace

QString SiteBaseAddress(const ChannelSettings &settings)
{
    return FirstNonBlank({settings.src, settings.root});
}

QString SitePageAddress(const ChannelSettings &settings)
{
    if (SiteBaseAddress(settings).isEmpty() || settings.filename.trimmed().isEmpty())
        return {};
    return HtmlPageAddress(settings);
}

QString PublishedFeedAddress(const ChannelSettings &settings)
{
    const QString base = SiteBaseAddress(settings);
    if (base.isEmpty() || settings.filename.trimmed().isEmpty())
        return {};
    return AddUrlSlash(base) + AsciiLower(settings.filename) + RssExtension(settings);
}

QString ChannelLink(const ChannelSettings &settings)
{
    const QString page = settings.html ? HtmlPageAddress(settings) : QString();
    return FirstNonBlank({settings.link, page, SiteBaseAddress(settings)});
}

QString LogoLink(const ChannelSettings &settings)
{
    return FirstNonBlank({settings.logolink, settings.root});
}

QString ItemLink(const ChannelSettings &settings, const FeedItem &item)
{
    return linksIntoHtmlPage(settings, item) ? anchored(HtmlPageAddress(settings), item) : item.url;
}

QString FeedAddress(const ChannelSettings &settings, const QString &rssFilePath)
{
    const QString base = SiteBaseAddress(settings);
    if (base.isEmpty())
        return {};
    return AddUrlSlash(base) + rssFilePath.mid(rssFilePath.lastIndexOf(QLatin1Char('/')) + 1);
}

QString ItemAddress(const ChannelSettings &settings, const FeedItem &item)
{
    return anchored(linksIntoHtmlPage(settings, item) ? HtmlPageAddress(settings) : item.url, item);
}

QString ItemDuplicateKey(const FeedItem &item)
{
    return anchored(item.url, item);
}

QString SelfAddress(const ChannelSettings &settings)
{
    return FeedAddress(settings, RssFileName(settings));
}
