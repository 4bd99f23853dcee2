#include "core/feed/feedextensions.h"

#include "core/feed/feedaddresses.h"
#include "core/feed/podcastcategories.h"
#include "core/feed/rsscommon.h"
#include "core/text/textops.h"

namespace {

QString attribute(const QString &name, const QString &value)
{
    return u' ' + name + QStringLiteral("=\"") + EscapeXmlAttr(value) + u'"';
}

// A length the file can carry; a reader needs one even when it is unknown.
QString enclosureLength(const FeedItem &item)
{
    const QString length = TrimWide(item.enclosurelength);
    return length.isEmpty() ? QStringLiteral("0") : length;
}

void writeCategory(QString &out, const QString &choice)
{
    const auto [main, sub] = SplitPodcastCategory(TrimWide(choice));
    if (main.isEmpty())
        return;
    const QString start =
        QStringLiteral("    <itunes:category") + attribute(QStringLiteral("text"), main);
    if (sub.isEmpty()) {
        WriteLine(out, start + QStringLiteral("/>"));
        return;
    }
    WriteLine(out, start + u'>');
    WriteLine(out, QStringLiteral("      <itunes:category") +
                       attribute(QStringLiteral("text"), sub) + QStringLiteral("/>"));
    WriteLine(out, QStringLiteral("    </itunes:category>"));
}

void writePodcastChannel(QString &out, const ChannelSettings &settings)
{
    if (!TrimWide(settings.itunesimage).isEmpty())
        WriteLine(out, QStringLiteral("    <itunes:image") +
                           attribute(QStringLiteral("href"), TrimWide(settings.itunesimage)) +
                           QStringLiteral("/>"));
    writeCategory(out, settings.itunescategory);
    WriteElementLine(out, 2, QStringLiteral("itunes:explicit"),
                     settings.itunesexplicit ? QStringLiteral("true") : QStringLiteral("false"));
    WriteElementLine(out, 2, QStringLiteral("itunes:author"), settings.itunesauthor);
    if (!TrimWide(settings.itunesowner).isEmpty() || !TrimWide(settings.itunesemail).isEmpty()) {
        WriteLine(out, QStringLiteral("    <itunes:owner>"));
        WriteElementLine(out, 3, QStringLiteral("itunes:name"), settings.itunesowner);
        WriteElementLine(out, 3, QStringLiteral("itunes:email"), settings.itunesemail);
        WriteLine(out, QStringLiteral("    </itunes:owner>"));
    }
    WriteElementLine(out, 2, QStringLiteral("itunes:type"), settings.itunestype);
}

} // namespace

void WriteRss2ExtensionNamespaces(QString &out, const ChannelSettings &settings)
{
    if (settings.podcast)
        WriteLine(out, NamespaceLine(QStringLiteral("itunes"), rssnamespace::Itunes));
    if (settings.selflink)
        WriteLine(out, NamespaceLine(QStringLiteral("atom"), rssnamespace::Atom));
}

void WriteRss2ChannelExtensions(QString &out, const ChannelSettings &settings)
{
    if (settings.selflink) {
        if (const QString self = SelfAddress(settings); !self.isEmpty())
            WriteLine(out, QStringLiteral("    <atom:link") +
                               attribute(QStringLiteral("href"), self) +
                               QStringLiteral(" rel=\"self\" type=\"application/rss+xml\"/>"));
    }
    if (settings.podcast)
        writePodcastChannel(out, settings);
}

void WriteRss2ItemExtensions(QString &out, const ChannelSettings &settings, const FeedItem &item,
                             const WrittenGuid *guid)
{
    if (guid && !guid->value.isEmpty())
        WriteLine(out, QStringLiteral("      <guid isPermaLink=\"") +
                           (guid->permaLink ? QStringLiteral("true") : QStringLiteral("false")) +
                           QStringLiteral("\">") + EscapeXmlText(guid->value) +
                           QStringLiteral("</guid>"));
    if (const QString address = TrimWide(item.enclosure); !address.isEmpty())
        WriteLine(out, QStringLiteral("      <enclosure") +
                           attribute(QStringLiteral("url"), address) +
                           attribute(QStringLiteral("length"), enclosureLength(item)) +
                           attribute(QStringLiteral("type"), TrimWide(item.enclosuretype)) +
                           QStringLiteral("/>"));
    if (!settings.podcast)
        return;
    WriteElementLine(out, 3, QStringLiteral("itunes:duration"), item.itunesduration);
    WriteElementLine(out, 3, QStringLiteral("itunes:episode"), item.itunesepisode);
    WriteElementLine(out, 3, QStringLiteral("itunes:explicit"), item.itunesexplicit);
}

bool AnyEnclosure(const QList<FeedItem> &items)
{
    return std::ranges::any_of(
        items, [](const FeedItem &item) { return !TrimWide(item.enclosure).isEmpty(); });
}

void WriteRss1Enclosure(QString &out, const FeedItem &item)
{
    const QString address = TrimWide(item.enclosure);
    if (address.isEmpty())
        return;
    WriteLine(out, QStringLiteral("    <enc:enclosure") +
                       attribute(QStringLiteral("rdf:resource"), address) +
                       attribute(QStringLiteral("enc:length"), enclosureLength(item)) +
                       attribute(QStringLiteral("enc:type"), TrimWide(item.enclosuretype)) +
                       QStringLiteral("/>"));
}
