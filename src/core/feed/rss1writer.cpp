#include "core/feed/rss1writer.h"

#include "core/feed/feedaddresses.h"
#include "core/feed/feeddates.h"
#include "core/feed/feedextensions.h"
#include "core/feed/rsscommon.h"
#include "core/text/textops.h"
#include "core/text/xmlchars.h"

#include <QSet>

namespace {

QString attribute(const QString &name, const QString &address)
{
    return name + QStringLiteral("=\"") + EscapeXmlAttr(address) + QLatin1Char('"');
}

void writeChannelStart(QString &out, const ChannelSettings &settings, const QString &rssFilePath,
                       const Clock &clock)
{
    const QString feedAddress = FeedAddress(settings, rssFilePath);
    WriteLine(out, feedAddress.isEmpty() ? QStringLiteral("  <channel>")
                                         : QStringLiteral("  <channel ") +
                                               attribute(QStringLiteral("rdf:about"), feedAddress) +
                                               QLatin1Char('>'));
    WriteElementLine(out, 2, QStringLiteral("title"), settings.title);
    WriteElementLine(out, 2, QStringLiteral("link"), ChannelLink(settings));
    WriteElementLine(out, 2, QStringLiteral("dc:date"), W3cNow(clock));
    WriteElementLine(out, 2, QStringLiteral("dc:language"), FeedLanguage(settings));
    WriteElementLine(out, 2, QStringLiteral("dc:creator"), settings.creator);
    WriteElementLine(out, 2, QStringLiteral("description"), settings.description);
    if (!settings.logosrc.isEmpty())
        WriteLine(out, QStringLiteral("    <image ") +
                           attribute(QStringLiteral("rdf:resource"), settings.logosrc) +
                           QStringLiteral("/>"));
}

// The channel's list of items; false when two of them share a resource name.
bool writeSequence(QString &out, const ChannelSettings &settings, const QList<FeedItem> &items)
{
    bool noDuplicates = true;
    QSet<QString> keys;
    WriteLine(out, QStringLiteral("    <items>"));
    WriteLine(out, QStringLiteral("      <rdf:Seq>"));
    for (const FeedItem &item : items) {
        const QString key = ItemDuplicateKey(item).toCaseFolded();
        if (keys.contains(key))
            noDuplicates = false;
        keys.insert(key);
        WriteLine(out, QStringLiteral("        <rdf:li ") +
                           attribute(QStringLiteral("rdf:resource"), ItemAddress(settings, item)) +
                           QStringLiteral("/>"));
    }
    WriteLine(out, QStringLiteral("      </rdf:Seq>"));
    WriteLine(out, QStringLiteral("    </items>"));
    return noDuplicates;
}

void writeImage(QString &out, const ChannelSettings &settings)
{
    if (settings.logosrc.isEmpty())
        return;
    WriteLine(out, QStringLiteral("  <image ") +
                       attribute(QStringLiteral("rdf:about"), settings.logosrc) + QLatin1Char('>'));
    WriteElementLine(out, 2, QStringLiteral("title"), settings.logotitle);
    WriteElementLine(out, 2, QStringLiteral("link"), LogoLink(settings));
    WriteElementLine(out, 2, QStringLiteral("url"), settings.logosrc);
    WriteLine(out, QStringLiteral("  </image>"));
}

void writeItem(QString &out, const ChannelSettings &settings, const FeedItem &item)
{
    WriteLine(out, QStringLiteral("  <item ") +
                       attribute(QStringLiteral("rdf:about"), ItemAddress(settings, item)) +
                       QLatin1Char('>'));
    WriteElementLine(out, 2, QStringLiteral("title"), item.title);
    WriteElementLine(out, 2, QStringLiteral("link"), ItemLink(settings, item));
    WriteElementLine(out, 2, QStringLiteral("dc:date"), W3cFromItemDate(item.date));
    WriteElementLine(out, 2, QStringLiteral("dc:subject"), item.subject);
    WriteElementLine(out, 2, QStringLiteral("dc:creator"), item.creator);
    WriteDescriptionLine(out, 2, settings, item);
    WriteContentLine(out, 2, settings, item);
    WriteRss1Enclosure(out, item);
    WriteLine(out, QStringLiteral("  </item>"));
}

} // namespace

RssText WriteRss1(const FeedData &feed, const QString &rssFilePath, const QString &styleArgument,
                  const Clock &clock)
{
    const ChannelSettings &settings = feed.settings;
    const QList<FeedItem> items = ItemsToWrite(feed);
    QString out;
    WriteDocumentStart(out, settings, styleArgument);
    WriteLine(out, QStringLiteral("<rdf:RDF"));
    WriteLine(out, NamespaceLine(QString(), rssnamespace::Rss1));
    WriteLine(out, NamespaceLine(QStringLiteral("rdf"), rssnamespace::Rdf));
    WriteLine(out, NamespaceLine(QStringLiteral("dc"), rssnamespace::DublinCore));
    if (settings.content)
        WriteLine(out, NamespaceLine(QStringLiteral("content"), rssnamespace::Content));
    if (AnyEnclosure(items))
        WriteLine(out, NamespaceLine(QStringLiteral("enc"), rssnamespace::Enclosure));
    WriteLine(out, LanguageLine(settings));
    writeChannelStart(out, settings, rssFilePath, clock);
    const bool noDuplicates = writeSequence(out, settings, items);
    WriteLine(out, QStringLiteral("  </channel>"));
    writeImage(out, settings);
    for (const FeedItem &item : items)
        writeItem(out, settings, item);
    WriteLine(out, QStringLiteral("</rdf:RDF>"));
    return {WithoutXmlForbiddenChars(out), noDuplicates};
}
