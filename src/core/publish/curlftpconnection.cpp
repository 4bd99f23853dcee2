#include "curlftpconnection.h"

#include <QUrl>
#include <algorithm>
#include <curl/curl.h>

namespace {

const QString NotInitializedText = QStringLiteral("WinInetが初期化されていません。");

// Without a time-out set, waits are bounded by this.
constexpr int DefaultTimeout = 10000;
// The bound of a whole request lies well above any single wait, so it only
// ends requests that keep a server trickling replies or data forever.
constexpr long MinRequestBound = 60000;
constexpr long RequestBoundPerTimeout = 6;

bool globalInit()
{
    static const bool ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ok;
}

} // namespace

CurlFtpConnection::CurlFtpConnection() = default;

CurlFtpConnection::~CurlFtpConnection()
{
    close();
}

bool CurlFtpConnection::open()
{
    m_initialized = globalInit();
    return m_initialized;
}

bool CurlFtpConnection::checkInitialized()
{
    return m_initialized || fail(NotInitializedText);
}

bool CurlFtpConnection::setTimeout(int &timeout, int milliseconds)
{
    if (!checkInitialized())
        return false;
    timeout = milliseconds;
    if (m_handle)
        applyTimeouts();
    return true;
}

bool CurlFtpConnection::setConnectTimeout(int milliseconds)
{
    return setTimeout(m_connectTimeout, milliseconds);
}

bool CurlFtpConnection::setReceiveTimeout(int milliseconds)
{
    return setTimeout(m_receiveTimeout, milliseconds);
}

void CurlFtpConnection::close()
{
    destroyHandle();
    m_initialized = false;
}

QString CurlFtpConnection::hostName() const
{
    const qsizetype scheme = Address.indexOf(QStringLiteral("://"));
    return scheme < 0 ? Address : Address.mid(scheme + 3);
}

QString CurlFtpConnection::serverUrl() const
{
    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(hostName());
    url.setPort(int(Port));
    url.setPath(QStringLiteral("/"));
    return url.toString(QUrl::FullyEncoded);
}

bool CurlFtpConnection::createHandle()
{
    destroyHandle();
    m_handle = curl_easy_init();
    if (!m_handle)
        return false;
    curl_easy_setopt(m_handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_handle, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(m_handle, CURLOPT_REDIR_PROTOCOLS_STR, "ftp");
    // One CWD to the whole directory; a missing directory is never created.
    curl_easy_setopt(m_handle, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(m_handle, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR_NONE));
    // Data connections go to the host of the control connection, never to
    // an address that a passive reply names.
    curl_easy_setopt(m_handle, CURLOPT_FTP_SKIP_PASV_IP, 1L);
    // The server's replies arrive as header lines.
    curl_easy_setopt(m_handle, CURLOPT_HEADERFUNCTION, &CurlFtpConnection::takeReply);
    curl_easy_setopt(m_handle, CURLOPT_HEADERDATA, this);
    applyTimeouts();
    return true;
}

size_t CurlFtpConnection::takeReply(char *data, size_t size, size_t count, void *connection)
{
    const QString line = QString::fromUtf8(data, qsizetype(size * count)).trimmed();
    if (line.size() >= 3 && (line.front() == u'4' || line.front() == u'5'))
        static_cast<CurlFtpConnection *>(connection)->m_refusal = line;
    return size * count;
}

void CurlFtpConnection::applyTimeouts()
{
    const long connect = m_connectTimeout > 0 ? m_connectTimeout : DefaultTimeout;
    const long receive = m_receiveTimeout > 0 ? m_receiveTimeout : DefaultTimeout;
    const long receiveSeconds = std::max(1L, (receive + 999) / 1000);
    curl_easy_setopt(m_handle, CURLOPT_CONNECTTIMEOUT_MS, connect);
    curl_easy_setopt(m_handle, CURLOPT_SERVER_RESPONSE_TIMEOUT, receiveSeconds);
    curl_easy_setopt(m_handle, CURLOPT_ACCEPTTIMEOUT_MS, receive);
    curl_easy_setopt(m_handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_handle, CURLOPT_LOW_SPEED_TIME, receiveSeconds);
    curl_easy_setopt(m_handle, CURLOPT_TIMEOUT_MS,
                     std::max(MinRequestBound, RequestBoundPerTimeout * (connect + receive)));
}

void CurlFtpConnection::destroyHandle()
{
    if (m_handle) {
        curl_easy_cleanup(m_handle);
        m_handle = nullptr;
    }
}

bool CurlFtpConnection::fail(const QString &text)
{
    m_errorText = text;
    return false;
}
