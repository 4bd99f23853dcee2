// Feeds any bytes to the FTP reply reader, in pieces whose sizes the input
// chooses, and reads a data port from every reply as for PASV. Replies must
// stay within the reader's bounds and start with their code, and the pieces
// must not change what is read.
#include "core/publish/ftpreplyreader.h"
#include "core/publish/socketftpclient.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

struct Reading
{
    QList<FtpReply> replies;
    bool failed = false;
};

// Adds the bytes in pieces of pieceSize (all at once for 0), taking the
// replies as they complete, the way the client does.
Reading read(const QByteArray &bytes, qsizetype pieceSize)
{
    FtpReplyReader reader;
    Reading reading;
    const qsizetype step = pieceSize > 0 ? pieceSize : qMax<qsizetype>(bytes.size(), 1);
    for (qsizetype at = 0; at < bytes.size(); at += step) {
        reader.append(bytes.mid(at, step));
        while (std::optional<FtpReply> reply = reader.takeReply())
            reading.replies << *reply;
    }
    reading.failed = reader.hasFailed();
    return reading;
}

bool isBounded(const FtpReply &reply)
{
    if (reply.code < 100 || reply.code > 599 || !reply.text.startsWith(QString::number(reply.code)))
        return false;
    const QStringList lines = reply.text.split(QLatin1Char('\n'));
    if (lines.size() > FtpReplyReader::MaxLines)
        return false;
    // A byte gives at most one UTF-16 unit, an invalid one included.
    return std::all_of(lines.cbegin(), lines.cend(), [](const QString &line) {
        return line.size() <= FtpReplyReader::MaxLineLength;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype pieceSize = data[0] % 8;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const Reading whole = read(bytes, 0);
    const Reading pieces = read(bytes, pieceSize);
    if (pieces.failed != whole.failed || pieces.replies.size() != whole.replies.size())
        std::abort();
    for (qsizetype i = 0; i < whole.replies.size(); ++i) {
        const FtpReply &reply = whole.replies.at(i);
        if (!isBounded(reply) || reply.code != pieces.replies.at(i).code ||
            reply.text != pieces.replies.at(i).text)
            std::abort();
        PassiveReplyPort(reply.text);
    }
    return 0;
}
