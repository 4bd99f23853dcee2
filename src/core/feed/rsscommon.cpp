#include "core/feed/rsscommon.h"

#include "core/text/textops.h"

namespace {

QString stylesheetHref(const ChannelSettings &settings, const QString &styleArgument)
{
    if (styleArgument == QStringLiteral("*") ||
        (styleArgument.isEmpty() && settings.style.isEmpty()))
        return {};
    if (!styleArgument.isEmpty())
        return styleArgument;
    return settings.style.contains(QLatin1Char('/')) ? settings.style
                                                     : QStringLiteral("./") + settings.style;
}

} // namespace

QString NamespaceLine(const QString &prefix, const char16_t *name)
{
    const QString attribute =
        prefix.isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + prefix;
    return QStringLiteral("  ") + attribute + QStringLiteral("=\"") + QString::fromUtf16(name) +
           QLatin1Char('"');
}

void WriteDocumentStart(QString &out, const ChannelSettings &settings, const QString &styleArgument)
{
    WriteLine(out, QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    const QString href = stylesheetHref(settings, styleArgument);
    if (href.isEmpty())
        return;
    // Escaped like any attribute value, so that a quote or "?>" in the
    // address cannot end the instruction early.
    WriteLine(out, QStringLiteral("<?xml-stylesheet type=\"text/xsl\" href=\"") +
                       EscapeXmlAttr(href) + QStringLiteral("\"?>"));
}

QString FeedLanguage(const ChannelSettings &settings)
{
    return settings.language.isEmpty() ? QStringLiteral("ja") : settings.language;
}

QString LanguageLine(const ChannelSettings &settings)
{
    return QStringLiteral("  xml:lang=\"") + EscapeXmlAttr(FeedLanguage(settings)) +
           QStringLiteral("\">");
}

QList<qsizetype> ItemIndexesToWrite(const FeedData &feed)
{
    QList<qsizetype> taken;
    for (qsizetype i = feed.items.size() - 1; i >= 0; --i) {
        if (feed.items.at(i).title.isEmpty())
            continue;
        taken.append(i);
        if (taken.size() >= feed.settings.rssline)
            break;
    }
    return taken;
}

QList<FeedItem> ItemsToWrite(const FeedData &feed)
{
    QList<FeedItem> taken;
    for (const qsizetype i : ItemIndexesToWrite(feed))
        taken.append(feed.items.at(i));
    return taken;
}

void WriteDescriptionLine(QString &out, int level, const ChannelSettings &settings,
                          const FeedItem &item)
{
    WriteElementLine(out, level, QStringLiteral("description"),
                     ShapeDescription(item.desc, settings.descstrmax));
}

void WriteContentLine(QString &out, int level, const ChannelSettings &settings,
                      const FeedItem &item)
{
    if (settings.content)
        WriteElementLine(out, level, QStringLiteral("content:encoded"), item.desc, true);
}
