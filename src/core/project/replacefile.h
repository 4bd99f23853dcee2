#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

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
// The same, with the new content read from the open device to its end a
// block at a time, so that a file of any size is copied in little memory. A
// read error fails the replacement like a write error.
QString ReplaceFileFrom(const QString &path, QIODevice &source, Durability durability);

// Writes every byte to the open file, going on after interruptions. False
// on an error, with errno telling which.
bool WriteAll(int fd, QByteArrayView bytes);
