#include "core/feed/rss2writer.h"

#include "core/feed/feedaddresses.h"
#include "core/feed/feeddates.h"
#include "core/feed/feedextensions.h"
#include "core/feed/rsscommon.h"
#include "core/text/textops.h"
#include "core/text/xmlchars.h"

namespace {

void writeChannel(QString &out, const ChannelSettings &settings, const Clock &clock)
{
    WriteElementLine(out, 2, QStringLiteral("title"), settings.title);
    WriteElementLine(out, 2, QStringLiteral("link"), ChannelLink(settings));
    WriteElementLine(out, 2, QStringLiteral("language"), FeedLanguage(settings));
    WriteElementLine(out, 2, QStringLiteral("description"), settings.description);
    WriteElementLine(out, 2, QStringLiteral("lastBuildDate"), Rfc822Now(clock));
    WriteElementLine(out, 2, QStringLiteral("dc:creator"), settings.creator);
    if (!settings.logosrc.isEmpty()) {
        WriteLine(out, QStringLiteral("    <image>"));
        WriteElementLine(out, 3, QStringLiteral("title"), settings.logotitle);
        WriteElementLine(out, 3, QStringLiteral("link"), LogoLink(settings));
        WriteElementLine(out, 3, QStringLiteral("url"), settings.logosrc);
        WriteLine(out, QStringLiteral("    </image>"));
    }
    WriteRss2ChannelExtensions(out, settings);
}

void writeItem(QString &out, const ChannelSettings &settings, const FeedItem &item,
               const WrittenGuid *guid)
{
    WriteLine(out, QStringLiteral("    <item>"));
    WriteElementLine(out, 3, QStringLiteral("title"), item.title);
    WriteElementLine(out, 3, QStringLiteral("link"), ItemLink(settings, item));
    WriteElementLine(out, 3, QStringLiteral("category"), item.subject);
    WriteDescriptionLine(out, 3, settings, item);
    WriteContentLine(out, 3, settings, item);
    WriteElementLine(out, 3, QStringLiteral("dc:creator"), item.creator);
    WriteElementLine(out, 3, QStringLiteral("pubDate"), Rfc822FromItemDate(item.date));
    WriteRss2ItemExtensions(out, settings, item, guid);
    WriteLine(out, QStringLiteral("    </item>"));
}

} // namespace

RssText WriteRss2(const FeedData &feed, const QString &styleArgument, const Clock &clock)
{
    const ChannelSettings &settings = feed.settings;
    QString out;
    WriteDocumentStart(out, settings, styleArgument);
    WriteLine(out, QStringLiteral("<rss version=\"2.0\""));
    WriteLine(out, NamespaceLine(QStringLiteral("dc"), rssnamespace::DublinCore));
    if (settings.content)
        WriteLine(out, NamespaceLine(QStringLiteral("content"), rssnamespace::Content));
    WriteLine(out, NamespaceLine(QStringLiteral("rdf"), rssnamespace::Rdf));
    WriteRss2ExtensionNamespaces(out, settings);
    WriteLine(out, LanguageLine(settings));
    WriteLine(out, QStringLiteral("  <channel>"));
    writeChannel(out, settings, clock);
    const QList<qsizetype> indexes = ItemIndexesToWrite(feed);
    const QList<WrittenGuid> guids =
        settings.itemguid ? WrittenGuids(feed, indexes, clock) : QList<WrittenGuid>();
    for (qsizetype i = 0; i < indexes.size(); ++i)
        writeItem(out, settings, feed.items.at(indexes.at(i)),
                  guids.isEmpty() ? nullptr : &guids.at(i));
    WriteLine(out, QStringLiteral("  </channel>"));
    WriteLine(out, QStringLiteral("</rss>"));
    return {WithoutXmlForbiddenChars(out), true};
}
