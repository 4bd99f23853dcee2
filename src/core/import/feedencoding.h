#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A feed document in UTF-8, whatever set it came in: a UTF-16 or UTF-32
// byte order mark, UTF-16 without one (told by how "<?xml" is spelt), or
// the encoding its XML declaration names: Shift_JIS and its Windows names
// through the program's own Shift_JIS decoding, the others (EUC-JP,
// ISO-2022-JP, the ISO and Windows sets) through ICU. The declaration then
// names UTF-8 and the mark is gone, so that the XML reader reads the text as
// it is, and every line stays where it was.
struct FeedText
{
    QByteArray utf8;
    QString unknownEncoding; // the declared name nobody can decode; utf8 empty then
};
FeedText FeedDocumentAsUtf8(const QByteArray &document);
