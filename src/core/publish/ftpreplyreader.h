#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// One reply of an FTP server: its three-digit code and its lines, joined by
// LF.
struct FtpReply
{
    int code = 0;
    QString text;
};

// Cuts the bytes of a control connection into replies. A reply is one line
// "ddd text", or the lines from "ddd-text" up to one that starts with the
// same code and a blank. Lines end in CR LF or LF; blank lines between
// replies are skipped.
//
// A line longer than MaxLineLength, a reply of more than MaxLines lines, or
// a reply that does not start with a code from 100 to 599 puts the reader
// into the failed state for good, so a server can neither make it grow
// without end nor slip a line past it.
class FtpReplyReader
{
public:
    static constexpr int MaxLineLength = 4096;
    static constexpr int MaxLines = 500;

    // Adds bytes as they arrive. Callers add more only while takeReply()
    // has nothing, so at most one complete reply waits at a time.
    void append(const QByteArray &bytes);
    // The next complete reply, in order; none while it is incomplete or
    // after a failure.
    std::optional<FtpReply> takeReply();
    bool hasFailed() const { return !m_failure.isEmpty(); }
    QString failure() const { return m_failure; }

private:
    void parse();
    void addLine(QByteArray line);
    void failLineTooLong();
    void fail(const QString &reason);

    QByteArray m_buffer;
    QByteArray m_code; // of a reply with more lines to come
    QStringList m_lines;
    std::optional<FtpReply> m_complete;
    QString m_failure;
};
