#include "core/check/datecheck.h"
#include "core/check/feedrules.h"
#include "core/feed/rsscommon.h"

#include <QHash>
#include <QSet>

namespace {

const QString rss1Ns = QString::fromUtf16(rssnamespace::Rss1);
const QString rdfNs = QString::fromUtf16(rssnamespace::Rdf);
const QString dcNs = QString::fromUtf16(rssnamespace::DublinCore);

void checkDate(const XmlOutline &parent, FeedFindings &findings)
{
    const XmlOutline *date = parent.child(dcNs, u"date");
    if (!date)
        return;
    switch (CheckW3cDate(date->text)) {
    case DateVerdict::Valid:
    case DateVerdict::WrongWeekday:
        return;
    case DateVerdict::NoSuchDate:
        AddError(findings, date->line,
                 QStringLiteral("<dc:date> は存在しない日時です: ") + date->text);
        return;
    case DateVerdict::Malformed:
        AddError(findings, date->line,
                 QStringLiteral("<dc:date> が W3C の日付形式ではありません: ") + date->text);
        return;
    }
}

// rdf:about must be there and name an absolute address.
bool checkAbout(const XmlOutline &element, FeedFindings &findings)
{
    if (!element.hasAbout || element.about.isEmpty()) {
        AddError(findings, element.line,
                 u'<' + element.name + QStringLiteral("> に rdf:about がありません。"));
        return false;
    }
    CheckAbsoluteAddress(element.about, element.line, QStringLiteral("rdf:about"), findings);
    return true;
}

void checkLink(const XmlOutline &parent, FeedFindings &findings)
{
    if (const XmlOutline *link = parent.child(rss1Ns, u"link"))
        CheckAbsoluteAddress(link->text, link->line, QStringLiteral("<link>"), findings);
}

// The resources the channel's rdf:Seq lists, with their lines.
QList<const XmlOutline *> sequence(const XmlOutline &channel, FeedFindings &findings)
{
    QList<const XmlOutline *> entries;
    const XmlOutline *items = channel.child(rss1Ns, u"items");
    const XmlOutline *seq = items ? items->child(rdfNs, u"Seq") : nullptr;
    if (!seq) {
        AddError(findings, channel.line,
                 QStringLiteral("<channel> に <items> の <rdf:Seq> がありません。"));
        return entries;
    }
    for (const XmlOutline &entry : seq->children)
        if (entry.ns == rdfNs && entry.name == u"li")
            entries.append(&entry);
    return entries;
}

void checkChannel(const XmlOutline &channel, FeedFindings &findings)
{
    checkAbout(channel, findings);
    for (const QString name :
         {QStringLiteral("title"), QStringLiteral("link"), QStringLiteral("description")})
        if (channel.childText(rss1Ns, name).isEmpty())
            AddError(findings, channel.line,
                     QStringLiteral("<channel> に必須の <") + name +
                         QStringLiteral("> がありません。"));
    checkLink(channel, findings);
    checkDate(channel, findings);
}

} // namespace

void CheckRss1Rules(const XmlOutline &root, FeedFindings &findings)
{
    const XmlOutline *channel = root.child(rss1Ns, u"channel");
    if (!channel) {
        AddError(findings, root.line, QStringLiteral("<channel> がありません。"));
        return;
    }
    checkChannel(*channel, findings);
    QHash<QString, int> aboutLines; // every rdf:about -> line of its first use
    QSet<QString> itemAbouts;
    const auto noteAbout = [&](const XmlOutline &element) {
        const auto first = aboutLines.constFind(element.about);
        if (first == aboutLines.cend())
            aboutLines.insert(element.about, element.line);
        else
            AddError(findings, element.line,
                     QStringLiteral("rdf:about が %1行目と重複しています: %2")
                         .arg(*first)
                         .arg(element.about));
    };
    if (channel->hasAbout)
        noteAbout(*channel);
    for (const XmlOutline &element : root.children) {
        if (element.ns != rss1Ns || (element.name != u"item" && element.name != u"image"))
            continue;
        if (!checkAbout(element, findings))
            continue;
        noteAbout(element);
        if (element.name == u"image")
            continue;
        itemAbouts.insert(element.about);
        checkLink(element, findings);
        checkDate(element, findings);
    }
    QSet<QString> listed;
    for (const XmlOutline *entry : sequence(*channel, findings)) {
        if (!itemAbouts.contains(entry->resource))
            AddError(findings, entry->line,
                     QStringLiteral("<rdf:Seq> にある項目の <item> がありません: ") +
                         entry->resource);
        listed.insert(entry->resource);
    }
    for (const XmlOutline &element : root.children)
        if (element.ns == rss1Ns && element.name == u"item" && element.hasAbout &&
            !listed.contains(element.about))
            AddError(findings, element.line,
                     QStringLiteral("<rdf:Seq> に載っていない <item> です: ") + element.about);
}
