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
        m_ftp.trust = context.trust;
        m_ftp.acceptedHostKey = context.acceptedHostKey;
        m_ftp.cancel = context.cancel;
    }

    bool open(const FtpTemplate &t, const QString &remoteDirectory) override
    {
        m_ftp.logout();
        if (!m_ftp.open())
            return false;
        m_ftp.protocol = t.protocol;
        m_ftp.port = quint32(t.port);
        m_ftp.host = t.server;
        m_ftp.userName = t.user;
        m_ftp.password = t.password;
        m_ftp.setConnectTimeout(t.timeout * 1000);
        m_ftp.setReceiveTimeout(t.timeout * 1000);
        m_ftp.passive = t.passive;
        return m_ftp.login() && m_ftp.changeDirectory(remoteDirectory);
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
        return m_ftp.store(content, remoteName);
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
        m_ftp.logout();
        m_ftp.host = t.server;
        m_ftp.userName = t.user;
        m_ftp.password = t.password;
        m_ftp.port = t.port;
        m_ftp.timeout = t.timeout * 1000;
        m_ftp.passive = t.passive;
        return m_ftp.login() && m_ftp.setTransferMode(FtpTransferMode::Ascii) &&
               m_ftp.changeDirectory(remoteDirectory);
    }

    std::optional<QStringList> list() override { return m_ftp.list(); }
    void close() override { m_ftp.logout(); }
    QString clientErrorText() const override { return m_ftp.errorText(); }
    bool isResponsive() const override { return m_ftp.isConnected(); }

protected:
    bool store(const QByteArray &content, const QString &remoteName) override
    {
        QBuffer buffer;
        buffer.setData(content);
        return m_ftp.store(buffer, remoteName);
    }
    bool rename(const QString &from, const QString &to) override { return m_ftp.rename(from, to); }
    bool remove(const QString &name) override { return m_ftp.remove(name); }

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
