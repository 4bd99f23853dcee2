// Unscrambles any bytes as a line of an FTP template file, and scrambles
// them as a plain line: a plain line within the format's length must come
// back unchanged, and nothing may grow past the stored line length.
#include "core/publish/templatescramble.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (UnscrambleTemplateLine(bytes).size() > bytes.size() / 2)
        std::abort();
    const QByteArray scrambled = ScrambleTemplateLine(bytes);
    if (scrambled.size() > MaxScrambledTemplateLine)
        std::abort();
    if (bytes.size() <= MaxPlainTemplateLine && UnscrambleTemplateLine(scrambled) != bytes)
        std::abort();
    return 0;
}
