#pragma once

#include <QByteArray>
#include <QString>

// Writes the bytes to a temporary file beside the path and renames it into
// place, so a reader sees either the old file or the complete new one.
// False when the file cannot be written.
bool ReplaceFile(const QString &path, const QByteArray &bytes);
