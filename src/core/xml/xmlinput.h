#pragma once

#include <QByteArray>

// Helpers that make a project document fit for the XML parser, which takes
// UTF-8 only and stops at a NUL byte.

// Drops the controls that XML does not allow (0x00-0x08, 0x0B, 0x0C,
// 0x0E-0x1F) from the bytes in place, since readers remove them from every
// value anyway; returns the new size. A clean document, the usual one, is
// only scanned.
qsizetype DropXmlControls(char *data, qsizetype size);

// True when the document starts with a UTF-16 or UTF-32 byte order mark or
// its declaration names an encoding other than UTF-8.
bool NamesOtherEncoding(QByteArrayView document);
// Such a document as UTF-8; a null array when Qt does not know its encoding
// (it is then read as UTF-8 as it is).
QByteArray DocumentAsUtf8(QByteArrayView document);
