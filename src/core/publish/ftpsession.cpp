#include "core/publish/ftpsession.h"

#include "core/publish/curlftpclient.h"
#include "core/publish/socketftpclient.h"

#include <QBuffer>

namespace {

class CurlFtpSession : public FtpSession
{
public:
    explicit CurlFtpSession(const SessionContext &context)
    {
        m_ftp.Trust = context.trust;
        m_ftp.AcceptedHostKey = context.acceptedHostKey;
        m_ftp.Cancel = context.cancel;
    }

    bool open(const FtpTemplate &t, const QString &remoteDirectory) override
    {
        m_ftp.setActive(false);
        if (!m_ftp.open())
            return false;
        m_ftp.Protocol = t.protocol;
        m_ftp.Port = quint32(t.port);
        m_ftp.Address = t.server;
        m_ftp.UserName = t.user;
        m_ftp.Password = t.password;
        m_ftp.setConnectTimeout(t.timeout * 1000);
        m_ftp.setReceiveTimeout(t.timeout * 1000);
        m_ftp.Passive = t.passive;
        return m_ftp.setActive(true) && m_ftp.setCurrentDirectory(remoteDirectory);
    }

    std::optional<QStringList> list() override { return m_ftp.list(); }
    void close() override { m_ftp.close(); }
    bool isResponsive() const override { return m_ftp.isResponsive(); }
    // The client's own text tells the step, the server's reply why.
    QString clientErrorText() const override
    {
        const QString reply = m_ftp.refusal();
        return reply.isEmpty() ? m_ftp.errorText() : m_ftp.errorText() + u'（' + reply + u'）';
    }
    TrustQuestion trustQuestion() const override { return m_ftp.trustQuestion(); }

protected:
    bool store(const QByteArray &content, const QString &remoteName) override
    {
        return m_ftp.put(content, remoteName);
    }
    bool rename(const QString &from, const QString &to) override { return m_ftp.rename(from, to); }
    bool remove(const QString &name) override { return m_ftp.remove(name); }

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

    std::optional<QStringList> list() override { return m_ftp.List(); }
    void close() override { m_ftp.Disconnect(); }
    QString clientErrorText() const override { return m_ftp.errorText(); }
    bool isResponsive() const override { return m_ftp.Connected(); }

protected:
    bool store(const QByteArray &content, const QString &remoteName) override
    {
        QBuffer buffer;
        buffer.setData(content);
        return m_ftp.Upload(buffer, remoteName);
    }
    bool rename(const QString &from, const QString &to) override { return m_ftp.Rename(from, to); }
    bool remove(const QString &name) override { return m_ftp.Delete(name); }

private:
    SocketFtpClient m_ftp;
};

} // namespace

QString TemporaryUploadName(const QString &remoteName)
{
    return u'.' + remoteName + QStringLiteral(".brisklet-part");
}

void FtpSession::discard(const QString &temporary)
{
    const QString failure = errorText();
    if (isResponsive())
        remove(temporary);
    m_failure = failure;
}

bool FtpSession::send(const QByteArray &content, const QString &remoteName)
{
    m_note.clear();
    m_failure.clear();
    const QString temporary = TemporaryUploadName(remoteName);
    if (!store(content, temporary)) {
        discard(temporary);
        return false;
    }
    if (rename(temporary, remoteName))
        return true;
    // Servers that never rename over an existing file still take the file
    // when the old one is gone first; readers miss it for a moment only.
    if (remove(remoteName) && rename(temporary, remoteName)) {
        m_note = QStringLiteral("サーバーが上書きの名前変更を受け付けないため、\"%1\" "
                                "を削除してから名前を変更しました。")
                     .arg(remoteName);
        return true;
    }
    discard(temporary);
    return false;
}

std::unique_ptr<FtpSession> CreateFtpSession(const FtpTemplate &t, const SessionContext &context)
{
    if (t.usesCurl())
        return std::make_unique<CurlFtpSession>(context);
    return std::make_unique<SocketFtpSession>();
}
