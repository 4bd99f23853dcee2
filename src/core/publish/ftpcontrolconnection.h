#pragma once

#include "core/publish/ftpreplyreader.h"

#include <QDeadlineTimer>
#include <QString>
#include <QTcpSocket>
#include <optional>

// The control connection of the socket FTP client: connecting, sending
// commands and reading replies. Every wait ends after timeout milliseconds.
class FtpControlConnection
{
public:
    static constexpr int DefaultTimeout = 10000;

    virtual ~FtpControlConnection() = default;

    QString host;
    int port = 21;
    int timeout = DefaultTimeout; // milliseconds

    bool isConnected() const { return m_control.state() == QAbstractSocket::ConnectedState; }
    // The reply text of the server, or the reason a wait or command failed.
    QString errorText() const { return m_errorText; }

protected:
    // Opens the TCP connection to host:port.
    bool openControl();
    void closeControl();
    // The next reply of the server.
    std::optional<FtpReply> readReply();
    // Sends one command line and reads its reply; a reply code within
    // [failFrom, failTo] is a failure carrying the reply text.
    std::optional<FtpReply> command(const QString &line, int failFrom, int failTo);
    // Fails unless the reply code lies outside [failFrom, failTo].
    bool checkReply(const std::optional<FtpReply> &reply, int failFrom, int failTo);

    QDeadlineTimer deadline() const
    {
        return QDeadlineTimer(timeout > 0 ? timeout : DefaultTimeout);
    }
    // Waits until the socket has written everything, within the deadline.
    bool flush(QTcpSocket &socket, const QDeadlineTimer &until);
    bool fail(const QString &text);

    QTcpSocket m_control;

private:
    FtpReplyReader m_reader;
    QString m_errorText;
};
