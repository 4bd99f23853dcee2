#pragma once

#include <QByteArray>
#include <QString>

enum class Durability
{
    Cached, // outputs that can be made again: renamed into place, not synced
    Synced, // the project file: on disk, folder entry included, before we go on
};

// Writes the bytes to a new file beside the path and renames it over the
// path, so readers see the old file or the new one and never a part of
// either. A file that exists keeps its permissions. On failure the old file
// is untouched, nothing else is left behind, and the error text is returned;
// on success the result is empty.
QString ReplaceFile(const QString &path, const QByteArray &bytes, Durability durability);

// Writes every byte to the open file, going on after interruptions. False
// on an error, with errno telling which.
bool WriteAll(int fd, const QByteArray &bytes);
