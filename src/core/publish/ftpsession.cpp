#include "ftpsession.h"

#include "curlftpclient.h"
#include "socketftpclient.h"

#include <QBuffer>

namespace {

class WinFtpSession : public FtpSession
{
public:
    bool open(const FtpTemplate &t, const QString &remoteDirectory) override
    {
        m_ftp.setActive(false);
        if (!m_ftp.open())
            return false;
        m_ftp.Port = quint32(t.port);
        m_ftp.Address = t.server;
        m_ftp.UserName = t.user;
        m_ftp.Password = t.password;
        m_ftp.setConnectTimeout(t.timeout * 1000);
        m_ftp.setReceiveTimeout(t.timeout * 1000);
        m_ftp.Passive = t.passive;
        return m_ftp.setActive(true) && m_ftp.setCurrentDirectory(remoteDirectory);
    }

    bool send(const QByteArray &content, const QString &remoteName) override
    {
        return m_ftp.put(content, remoteName);
    }

    void close() override { m_ftp.close(); }
    // The client's own text tells the step, the server's reply why.
    QString errorText() const override
    {
        const QString reply = m_ftp.refusal();
        return reply.isEmpty() ? m_ftp.errorText() : m_ftp.errorText() + u'（' + reply + u'）';
    }

private:
    CurlFtpClient m_ftp;
};

class SocketFtpSession : public FtpSession
{
public:
    bool open(const FtpTemplate &t, const QString &remoteDirectory) override
    {
        m_ftp.Disconnect();
        m_ftp.Host = t.server;
        m_ftp.UserID = t.user;
        m_ftp.Password = t.password;
        m_ftp.Port = t.port;
        m_ftp.TimeOut = t.timeout * 1000;
        m_ftp.Passive = t.passive;
        return m_ftp.Connect() && m_ftp.Mode(SocketFtpClient::TransferMode::Ascii) &&
               m_ftp.ChangeDir(remoteDirectory);
    }

    bool send(const QByteArray &content, const QString &remoteName) override
    {
        QBuffer buffer;
        buffer.setData(content);
        return m_ftp.Upload(buffer, remoteName);
    }

    void close() override { m_ftp.Disconnect(); }
    QString errorText() const override { return m_ftp.errorText(); }

private:
    SocketFtpClient m_ftp;
};

} // namespace

std::unique_ptr<FtpSession> CreateFtpSession(bool useWinInet)
{
    if (useWinInet)
        return std::make_unique<WinFtpSession>();
    return std::make_unique<SocketFtpSession>();
}
