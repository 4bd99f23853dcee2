#include "core/publish/ftpcontrolconnection.h"

#include "core/publish/ftpnames.h"

namespace {

const QString NoAnswerText = QStringLiteral("サーバーの応答がありません。");
const QString ConnectionLostText = QStringLiteral("サーバーとの接続が切れました。");

} // namespace

bool FtpControlConnection::openControl()
{
    closeControl();
    m_reader = FtpReplyReader();
    m_control.connectToHost(host, quint16(port));
    if (!m_control.waitForConnected(int(deadline().remainingTime()))) {
        m_control.abort();
        return fail(QStringLiteral("サーバーに接続できませんでした。"));
    }
    return true;
}

void FtpControlConnection::closeControl()
{
    m_control.abort();
}

std::optional<FtpReply> FtpControlConnection::readReply()
{
    const QDeadlineTimer until = deadline();
    for (;;) {
        if (std::optional<FtpReply> reply = m_reader.takeReply())
            return reply;
        if (m_reader.hasFailed()) {
            fail(m_reader.failure());
            return std::nullopt;
        }
        if (m_control.bytesAvailable() == 0) {
            if (!isConnected()) {
                fail(ConnectionLostText);
                return std::nullopt;
            }
            if (until.hasExpired() || !m_control.waitForReadyRead(int(until.remainingTime()))) {
                fail(isConnected() ? NoAnswerText : ConnectionLostText);
                return std::nullopt;
            }
        }
        m_reader.append(m_control.read(FtpReplyReader::MaxLineLength));
    }
}

std::optional<FtpReply> FtpControlConnection::command(const QString &line, int failFrom, int failTo)
{
    if (!IsSendableFtpText(line)) {
        fail(UnsendableText);
        return std::nullopt;
    }
    if (!isConnected()) {
        fail(ConnectionLostText);
        return std::nullopt;
    }
    m_control.write(line.toUtf8() + "\r\n");
    if (!flush(m_control, deadline()))
        return std::nullopt;
    std::optional<FtpReply> reply = readReply();
    if (!checkReply(reply, failFrom, failTo))
        return std::nullopt;
    return reply;
}

bool FtpControlConnection::checkReply(const std::optional<FtpReply> &reply, int failFrom,
                                      int failTo)
{
    if (!reply)
        return false;
    if (reply->code >= failFrom && reply->code <= failTo)
        return fail(reply->text);
    return true;
}

bool FtpControlConnection::flush(QTcpSocket &socket, const QDeadlineTimer &until)
{
    while (socket.bytesToWrite() > 0) {
        if (socket.state() != QAbstractSocket::ConnectedState)
            return fail(ConnectionLostText);
        if (until.hasExpired() || !socket.waitForBytesWritten(int(until.remainingTime())))
            return fail(socket.state() == QAbstractSocket::ConnectedState ? NoAnswerText
                                                                          : ConnectionLostText);
    }
    return true;
}

bool FtpControlConnection::fail(const QString &text)
{
    m_errorText = text;
    return false;
}
