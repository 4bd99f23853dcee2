#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

enum class Durability
{
    Cached, // outputs that can be made again: renamed into place, not synced
    Synced, // the project file: on disk, folder entry included, before we go on
};

enum class FileAccess
{
    KeepExisting, // a file that exists keeps its permissions
    OwnerOnly,    // readable and writable by its owner alone (0600), from its creation on
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

// A new file's bytes written beside the file they are to replace, under a
// temporary name. Nothing is replaced until commit; a staged file that is
// never committed is removed again.
class StagedFile
{
public:
    // Writes the bytes; hasError tells whether that failed, and then nothing
    // is left behind.
    StagedFile(const QString &path, const QByteArray &bytes, Durability durability);
    // The same with the content written by writeContent to the open file;
    // false from it (with errno telling why) fails the file.
    StagedFile(const QString &path, Durability durability,
               const std::function<bool(int fd)> &writeContent,
               FileAccess access = FileAccess::KeepExisting);
    StagedFile(StagedFile &&other) noexcept;
    StagedFile &operator=(StagedFile &&other) noexcept;
    StagedFile(const StagedFile &) = delete;
    StagedFile &operator=(const StagedFile &) = delete;
    ~StagedFile();

    bool hasError() const { return !m_error.isEmpty(); }
    // Renames the new file over the old one. The error text, empty on
    // success.
    QString commit();

private:
    void discard();

    QString m_path;
    QByteArray m_temp; // empty once committed or discarded
    Durability m_durability;
    QString m_error;
};

// Writes every byte to the open file, going on after interruptions. False
// on an error, with errno telling which.
bool WriteAll(int fd, QByteArrayView bytes);
