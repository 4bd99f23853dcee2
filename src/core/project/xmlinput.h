#pragma once

#include <QByteArray>
#include <QChar>

class QIODevice;

// A UTF-8 document prepared for the XML parser, which stops at the first
// invalid byte sequence or raw control character. Controls that XML does not
// allow (0x00-0x08, 0x0B, 0x0C, 0x0E-0x1F) are dropped, since readers remove
// them from every value anyway. Each invalid UTF-8 sequence becomes the
// marker character, so that the value holding it can be told apart and the
// rest of the document still reads.
struct XmlInput
{
    QByteArray bytes;
    // A noncharacter that the document does not otherwise contain; null when
    // the document had no invalid sequence.
    QChar invalidMarker;
};

// Documents that name another encoding, or start with a UTF-16 byte order
// mark, are left to the parser unchanged.
XmlInput PrepareXmlInput(const QByteArray &document);

// True when PrepareXmlInput would leave the document from the device's
// position on unchanged, so that the parser can read the device directly.
// Reads the device a block at a time.
bool XmlInputNeedsNoRepair(QIODevice &device);
