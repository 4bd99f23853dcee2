// Any bytes read as a project file must neither crash the reader nor make
// the writer produce a file that does not read back.
#include "core/project/projectreader.h"
#include "core/project/projectwriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ProjectContent content =
        ReadProjectContent(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!content.isRead())
        return 0;
    const ProjectContent again =
        ReadProjectContent(WriteProjectFile(content.defaults, *content.root));
    if (!again.isRead())
        std::abort();
    return 0;
}
