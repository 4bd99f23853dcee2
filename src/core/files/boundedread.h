#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A whole file, read only up to a limit: a file chosen by mistake (a disc
// image, a device) must not fill the memory. Devices and pipes report a
// size of 0, so the bytes actually read tell whether the file is too long.
struct BoundedRead
{
    std::optional<QByteArray> bytes; // nothing when unreadable or too long
    bool tooLong = false;
};
BoundedRead ReadFileUpTo(const QString &path, qint64 maxBytes);
