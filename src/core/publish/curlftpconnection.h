#pragma once

#include "core/publish/ftptemplate.h"
#include "core/publish/servertrust.h"

#include <QElapsedTimer>
#include <QString>
#include <atomic>

typedef void CURL;

// The connection handle of the libcurl client: the settings shared by every
// request, the time-outs, the trust in the server, and the libcurl handle
// that keeps the logged in connection between requests.
class CurlFtpConnection
{
public:
    CurlFtpConnection();
    virtual ~CurlFtpConnection();
    CurlFtpConnection(const CurlFtpConnection &) = delete;
    CurlFtpConnection &operator=(const CurlFtpConnection &) = delete;

    // Server host; a leading scheme ("ftp://") is cut off when connecting.
    QString host;
    quint32 port = 21;
    FtpProtocol protocol = FtpProtocol::Ftp;
    // The host keys and certificates the user trusts.
    TrustFiles trust;
    // The SHA-256 fingerprint of an unknown host key the user accepted for
    // this connection: it is added to the known hosts when it is met.
    QString acceptedHostKey;
    // Set from another thread to end the request under way.
    const std::atomic<bool> *cancel = nullptr;

    // Prepares the client for connections. False when libcurl cannot start.
    bool open();
    bool isInitialized() const { return m_initialized; }
    bool isActive() const { return m_handle != nullptr; }

    // Each fails with "WinInetが初期化されていません。" before open().
    bool setConnectTimeout(int milliseconds);
    bool setReceiveTimeout(int milliseconds);

    // Disconnects (sending QUIT when the server is still there) and forgets
    // the open state. The destructor closes too.
    void close();

    // The text of the last failure.
    QString errorText() const { return m_errorText; }
    // The server's reply when it refused the last request, or why the
    // connection broke; empty otherwise.
    QString refusal() const { return m_refusal; }
    // False after a request that broke the connection, ran out of time or
    // was cancelled.
    bool isResponsive() const { return isActive() && m_responsive; }
    // Set when the last request stopped because the server is not trusted.
    const TrustQuestion &trustQuestion() const { return m_trust; }

protected:
    // The host without a scheme prefix.
    QString hostName() const;
    // "ftp://host:port/" (or "sftp://") with the host in URL form.
    QString serverUrl() const;
    // A new libcurl handle with the settings every request shares.
    bool createHandle();
    void destroyHandle();
    CURL *handle() const { return m_handle; }
    // Applies the time-outs to the handle, so that no wait of a request
    // outlasts them: connecting, every server reply, a data connection that
    // never comes, a stalled transfer, and the request as a whole.
    void applyTimeouts();
    bool fail(const QString &text);
    bool checkInitialized();
    // Runs the request set up on the handle for the URL path below the
    // server; on failure refusal() and trustQuestion() tell why.
    bool perform(const QString &urlPath);
    // What a listing request received.
    const QByteArray &received() const { return m_received; }

private:
    bool setTimeout(int &timeout, int milliseconds);
    void applyTrust();
    // How long a request may move no byte: the longer time-out.
    qint64 idleLimit() const;
    // Why the request ended, for refusal(), when the server gave no reply.
    void explain(int code);
    // Fetches the certificate of a server that failed the check, without
    // sending the account, so the user can be asked about it.
    void askAboutCertificate(const QString &url, const QString &reason);

    bool m_initialized = false;
    int m_connectTimeout = 0; // milliseconds
    int m_receiveTimeout = 0; // milliseconds
    CURL *m_handle = nullptr;
    QString m_errorText;
    QString m_refusal; // the server's last reply of 400 and above
    TrustQuestion m_trust;
    bool m_responsive = true;
    // Bytes moved so far in the request and since when none moved: libcurl's
    // own low-speed limit does not see an SFTP server that stops answering.
    qint64 m_moved = -1;
    QElapsedTimer m_idle;
    bool m_stalled = false;
    QByteArray m_received;
    char m_curlError[256] = {};

    // The libcurl callbacks, which reach the members above.
    friend struct CurlCallbacks;
};
