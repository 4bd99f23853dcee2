#include "core/feed/itemguid.h"

#include "core/feed/feedaddresses.h"
#include "core/feed/feeddates.h"
#include "core/text/textops.h"

#include <QHash>
#include <QSet>
#include <QUrl>

namespace {

// "yyyy-mm-ddThh:nn:ss" of the item's date, or of the clock when the date
// cannot be read.
QString madeAt(const FeedItem &item, const Clock &clock)
{
    const QString dated = W3cFromItemDate(item.date);
    return (dated.isEmpty() ? W3cNow(clock) : dated).left(19);
}

QString newGuid(const ChannelSettings &settings, const FeedItem &item, const Clock &clock,
                const QSet<QString> &taken)
{
    const QUrl feed(SelfAddress(settings));
    const QString host = feed.host().isEmpty() ? QStringLiteral("localhost") : feed.host();
    const QString moment = madeAt(item, clock);
    QString stamp = moment;
    stamp.removeIf([](QChar c) { return !c.isDigit(); });
    const QString base = QStringLiteral("tag:") + host + u',' + moment.left(10) + u':' +
                         feed.path(QUrl::FullyEncoded) + u'/' + stamp;
    QString guid = base;
    for (int n = 2; taken.contains(guid); ++n)
        guid = base + u'-' + QString::number(n);
    return guid;
}

QSet<QString> storedGuids(const FeedData &feed)
{
    QSet<QString> guids;
    for (const FeedItem &item : feed.items) {
        if (!item.guid.isEmpty())
            guids.insert(item.guid);
    }
    return guids;
}

} // namespace

QList<WrittenGuid> WrittenGuids(const FeedData &feed, const QList<qsizetype> &indexes,
                                const Clock &clock)
{
    QHash<QString, int> linkUses;
    QList<QString> links;
    for (const qsizetype index : indexes) {
        links << TrimWide(ItemLink(feed.settings, feed.items.at(index)));
        ++linkUses[links.last()];
    }
    // Items not yet given their identifier get the one saving will keep.
    FeedData assigned = feed;
    assigned.settings.itemguid = true;
    AssignItemGuids(assigned, clock);
    QList<WrittenGuid> guids;
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        if (!links.at(i).isEmpty() && linkUses.value(links.at(i)) == 1)
            guids.append({links.at(i), true});
        else
            guids.append({assigned.items.at(indexes.at(i)).guid, false});
    }
    return guids;
}

int AssignItemGuids(FeedData &feed, const Clock &clock)
{
    if (!feed.settings.itemguid)
        return 0;
    QSet<QString> taken = storedGuids(feed);
    int given = 0;
    for (FeedItem &item : feed.items) {
        if (item.title.isEmpty() || !item.guid.isEmpty())
            continue;
        item.guid = newGuid(feed.settings, item, clock, taken);
        taken.insert(item.guid);
        ++given;
    }
    return given;
}
