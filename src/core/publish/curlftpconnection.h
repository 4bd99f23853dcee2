#pragma once

#include <QString>

typedef void CURL;

// The connection handle of the libcurl FTP client: the settings shared by
// every request, the time-outs, and the libcurl handle that keeps the logged
// in control connection between requests.
class CurlFtpConnection
{
public:
    CurlFtpConnection();
    virtual ~CurlFtpConnection();
    CurlFtpConnection(const CurlFtpConnection &) = delete;
    CurlFtpConnection &operator=(const CurlFtpConnection &) = delete;

    // Server host; a leading scheme ("ftp://") is cut off when connecting.
    QString Address;
    quint32 Port = 21;

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
    // The server's reply when it refused the last request; empty otherwise.
    QString refusal() const { return m_refusal; }

protected:
    // Address without a scheme prefix.
    QString hostName() const;
    // "ftp://host:port/" with the host in URL form.
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
    // Forgets the reply of an earlier request.
    void clearRefusal() { m_refusal.clear(); }

private:
    bool setTimeout(int &timeout, int milliseconds);

    bool m_initialized = false;
    int m_connectTimeout = 0; // milliseconds
    int m_receiveTimeout = 0; // milliseconds
    CURL *m_handle = nullptr;
    QString m_errorText;
    QString m_refusal; // the server's last reply of 400 and above

    static size_t takeReply(char *data, size_t size, size_t count, void *connection);
};
