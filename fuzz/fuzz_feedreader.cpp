// Any bytes must give either a feed or one message naming the line, never
// both, without a crash. A feed holds at most 100 items, and every item
// date it gives is one the feed writers accept.
#include "core/feed/feeddates.h"
#include "core/import/feedreader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ImportedFeed imported =
        ReadFeedDocument(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (imported.feed.has_value() == !imported.error.isEmpty())
        std::abort();
    if (!imported.feed) {
        if (!imported.error.startsWith(QStringLiteral("フィードを読み込めません（")))
            std::abort();
        return 0;
    }
    if (imported.feed->items.size() > FeedData::MaxItems || imported.report.omittedItems < 0)
        std::abort();
    for (const FeedItem &item : imported.feed->items) {
        if (!item.date.isEmpty() && Rfc822FromItemDate(item.date).isEmpty())
            std::abort();
    }
    return 0;
}
