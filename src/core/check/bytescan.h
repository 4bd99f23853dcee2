#pragma once

#include "core/check/feedfinding.h"

#include <QByteArrayView>

// Checks on a generated file's raw bytes, before or besides parsing.

// The line (from 1) that holds the byte at offset.
int LineAt(QByteArrayView bytes, qsizetype offset);
// The offset of the first byte that does not belong to a well-formed UTF-8
// sequence (overlong forms and surrogates included); -1 when there is none.
qsizetype InvalidUtf8Offset(QByteArrayView bytes);
// Errors for "[ファイル名未解決]" and for local file addresses ("file:",
// drive letters, UNC paths), which point nowhere once the file is published.
void FindLocalPaths(QByteArrayView bytes, FeedFindings &findings);
