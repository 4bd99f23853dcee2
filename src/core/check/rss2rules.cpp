#include "core/check/datecheck.h"
#include "core/check/feedrules.h"

#include <QHash>

namespace {

void checkDate(const XmlOutline *element, FeedFindings &findings)
{
    if (!element)
        return;
    const QString what = u'<' + element->name + u'>';
    switch (CheckRfc822Date(element->text)) {
    case DateVerdict::Valid:
        return;
    case DateVerdict::WrongWeekday:
        AddError(findings, element->line,
                 what + QStringLiteral(" の曜日が日付と合いません: ") + element->text);
        return;
    case DateVerdict::NoSuchDate:
        AddError(findings, element->line,
                 what + QStringLiteral(" は存在しない日時です: ") + element->text);
        return;
    case DateVerdict::Malformed:
        AddError(findings, element->line,
                 what + QStringLiteral(" が RFC 822 の日付ではありません: ") + element->text);
        return;
    }
}

void checkLink(const XmlOutline &parent, const QString &name, FeedFindings &findings)
{
    if (const XmlOutline *link = parent.child(u"", name))
        CheckAbsoluteAddress(link->text, link->line, u'<' + name + u'>', findings);
}

void checkChannel(const XmlOutline &channel, FeedFindings &findings)
{
    for (const QString name :
         {QStringLiteral("title"), QStringLiteral("link"), QStringLiteral("description")})
        if (channel.childText(u"", name).isEmpty())
            AddError(findings, channel.line,
                     QStringLiteral("<channel> に必須の <") + name +
                         QStringLiteral("> がありません。"));
    checkLink(channel, QStringLiteral("link"), findings);
    checkDate(channel.child(u"", u"lastBuildDate"), findings);
    checkDate(channel.child(u"", u"pubDate"), findings);
    if (const XmlOutline *image = channel.child(u"", u"image")) {
        checkLink(*image, QStringLiteral("link"), findings);
        checkLink(*image, QStringLiteral("url"), findings);
    }
}

} // namespace

void CheckRss2Rules(const XmlOutline &root, FeedFindings &findings)
{
    if (root.version != u"2.0")
        AddError(findings, root.line,
                 QStringLiteral("<rss> の version が 2.0 ではありません: ") + root.version);
    const XmlOutline *channel = root.child(u"", u"channel");
    if (!channel) {
        AddError(findings, root.line, QStringLiteral("<channel> がありません。"));
        return;
    }
    checkChannel(*channel, findings);
    QHash<QString, int> linkLines; // item link -> line of its first use
    for (const XmlOutline &item : channel->children) {
        if (item.name != u"item" || !item.ns.isEmpty())
            continue;
        if (item.childText(u"", u"title").isEmpty() &&
            item.childText(u"", u"description").isEmpty())
            AddError(findings, item.line,
                     QStringLiteral("<item> に <title> も <description> もありません。"));
        checkLink(item, QStringLiteral("link"), findings);
        checkDate(item.child(u"", u"pubDate"), findings);
        const XmlOutline *link = item.child(u"", u"link");
        if (!link || link->text.isEmpty())
            continue;
        const auto first = linkLines.constFind(link->text);
        if (first == linkLines.cend())
            linkLines.insert(link->text, link->line);
        else
            findings.append({FeedFinding::Severity::Warning, link->line,
                             QStringLiteral("<item> の <link> が %1行目と重複しています: %2")
                                 .arg(*first)
                                 .arg(link->text)});
    }
}
