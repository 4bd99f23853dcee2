// Any bytes must give a feed within the item limit, without a crash. Items
// come one to a line and their values one to a field: no item is blank and
// no value holds a TAB or a line break.
#include "core/import/tablefile.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool holdsOneField(const QString &text)
{
    return !text.contains(u'\t') && !text.contains(u'\n');
}

bool isWellCut(const FeedItem &item)
{
    const bool blank =
        item.title.isEmpty() && item.date.isEmpty() && item.url.isEmpty() && item.desc.isEmpty();
    return !blank && holdsOneField(item.title) && holdsOneField(item.date) &&
           holdsOneField(item.url) && holdsOneField(item.desc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const TableContents contents =
        ParseTableFile(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (contents.feed.items.size() > FeedData::MaxItems || contents.omittedItems < 0)
        std::abort();
    for (const FeedItem &item : contents.feed.items) {
        if (!isWellCut(item))
            std::abort();
    }
    return 0;
}
