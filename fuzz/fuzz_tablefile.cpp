// Any bytes must give a feed within the item limit, without a crash.
#include "import/tablefile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const TableContents contents =
        ParseTableFile(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (contents.feed.items.size() > TEditList::MaxItems || contents.omittedItems < 0)
        std::abort();
    return 0;
}
