#include "core/files/boundedread.h"

#include <QFile>

BoundedRead ReadFileUpTo(const QString &path, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 count = file.read(chunk, sizeof chunk);
        if (count < 0)
            return {};
        if (count == 0)
            return {bytes, false};
        bytes.append(chunk, count);
        if (bytes.size() > maxBytes)
            return {std::nullopt, true};
    }
}
