#include "core/publish/curlftpconnection.h"

#include <QCryptographicHash>
#include <QSslCertificate>
#include <QSslKey>
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

QString sha256Fingerprint(const QByteArray &rawKey)
{
    return QStringLiteral("SHA256:") +
           QString::fromLatin1(QCryptographicHash::hash(rawKey, QCryptographicHash::Sha256)
                                   .toBase64(QByteArray::OmitTrailingEquals));
}

// The first certificate libcurl saw, from its "Cert:" field (PEM).
QSslCertificate firstCertificate(CURL *handle)
{
    curl_certinfo *info = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_CERTINFO, &info) != CURLE_OK || !info ||
        info->num_of_certs < 1)
        return QSslCertificate();
    for (curl_slist *field = info->certinfo[0]; field; field = field->next) {
        const QByteArray text(field->data);
        if (text.startsWith("Cert:"))
            return QSslCertificate(text.mid(5), QSsl::Pem);
    }
    return QSslCertificate();
}

} // namespace

struct CurlCallbacks
{
    static size_t takeReply(char *data, size_t size, size_t count, void *connection)
    {
        const QString line = QString::fromUtf8(data, qsizetype(size * count)).trimmed();
        if (line.size() >= 3 && (line.front() == u'4' || line.front() == u'5'))
            static_cast<CurlFtpConnection *>(connection)->m_refusal = line;
        return size * count;
    }

    static size_t takeData(char *data, size_t size, size_t count, void *connection)
    {
        static_cast<CurlFtpConnection *>(connection)
            ->m_received.append(data, qsizetype(size * count));
        return size * count;
    }

    // Called at least once a second: ends the request when cancelled, or
    // when no byte moved either way for the time-out.
    static int checkProgress(void *connection, curl_off_t, curl_off_t downloaded, curl_off_t,
                             curl_off_t uploaded)
    {
        auto &self = *static_cast<CurlFtpConnection *>(connection);
        if (self.cancel && self.cancel->load())
            return 1;
        const qint64 moved = qint64(downloaded) + qint64(uploaded);
        if (moved != self.m_moved) {
            self.m_moved = moved;
            self.m_idle.start();
            return 0;
        }
        self.m_stalled = self.m_idle.hasExpired(self.idleLimit());
        return self.m_stalled ? 1 : 0;
    }

    // A known key passes; an unknown one only when the user accepted its
    // fingerprint, and then it is written to the known hosts; anything else
    // stops before the password is sent and leaves the question.
    static int checkHostKey(CURL *, const curl_khkey *, const curl_khkey *found, curl_khmatch match,
                            void *connection)
    {
        auto &self = *static_cast<CurlFtpConnection *>(connection);
        const QByteArray raw = found->len > 0 ? QByteArray(found->key, qsizetype(found->len))
                                              : QByteArray::fromBase64(QByteArray(found->key));
        const QString fingerprint = sha256Fingerprint(raw);
        if (match == CURLKHMATCH_OK)
            return CURLKHSTAT_FINE;
        if (match == CURLKHMATCH_MISSING && fingerprint == self.acceptedHostKey)
            return self.trust.makeFolder() ? CURLKHSTAT_FINE_ADD_TO_FILE : CURLKHSTAT_FINE;
        self.m_trust.kind = match == CURLKHMATCH_MISMATCH ? TrustQuestion::Kind::ChangedHostKey
                                                          : TrustQuestion::Kind::UnknownHostKey;
        self.m_trust.fingerprint = fingerprint;
        return CURLKHSTAT_REJECT;
    }
};

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
    const qsizetype scheme = host.indexOf(QStringLiteral("://"));
    return scheme < 0 ? host : host.mid(scheme + 3);
}

QString CurlFtpConnection::serverUrl() const
{
    QUrl url;
    url.setScheme(protocol == FtpProtocol::Sftp ? QStringLiteral("sftp") : QStringLiteral("ftp"));
    url.setHost(hostName());
    url.setPort(int(port));
    url.setPath(QStringLiteral("/"));
    return url.toString(QUrl::FullyEncoded);
}

bool CurlFtpConnection::createHandle()
{
    destroyHandle();
    m_handle = curl_easy_init();
    if (!m_handle)
        return false;
    const char *scheme = protocol == FtpProtocol::Sftp ? "sftp" : "ftp";
    curl_easy_setopt(m_handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_handle, CURLOPT_PROTOCOLS_STR, scheme);
    curl_easy_setopt(m_handle, CURLOPT_REDIR_PROTOCOLS_STR, scheme);
    curl_easy_setopt(m_handle, CURLOPT_ERRORBUFFER, m_curlError);
    // One CWD to the whole directory; a missing directory is never created.
    curl_easy_setopt(m_handle, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(m_handle, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR_NONE));
    // Data connections go to the host of the control connection, never to
    // an address that a passive reply names.
    curl_easy_setopt(m_handle, CURLOPT_FTP_SKIP_PASV_IP, 1L);
    // The server's replies arrive as header lines, listings as data.
    curl_easy_setopt(m_handle, CURLOPT_HEADERFUNCTION, &CurlCallbacks::takeReply);
    curl_easy_setopt(m_handle, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(m_handle, CURLOPT_WRITEFUNCTION, &CurlCallbacks::takeData);
    curl_easy_setopt(m_handle, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(m_handle, CURLOPT_XFERINFOFUNCTION, &CurlCallbacks::checkProgress);
    curl_easy_setopt(m_handle, CURLOPT_XFERINFODATA, this);
    applyTrust();
    applyTimeouts();
    return true;
}

void CurlFtpConnection::applyTrust()
{
    if (protocol == FtpProtocol::Sftp) {
        const QByteArray knownHosts = trust.knownHosts.toLocal8Bit();
        curl_easy_setopt(m_handle, CURLOPT_SSH_AUTH_TYPES,
                         long(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
        curl_easy_setopt(m_handle, CURLOPT_SSH_KNOWNHOSTS, knownHosts.constData());
        curl_easy_setopt(m_handle, CURLOPT_SSH_KEYFUNCTION, &CurlCallbacks::checkHostKey);
        curl_easy_setopt(m_handle, CURLOPT_SSH_KEYDATA, this);
    } else if (protocol == FtpProtocol::Ftps) {
        // TLS on the control connection before USER, and on every data
        // connection; a server without TLS is refused, never used in clear.
        curl_easy_setopt(m_handle, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
        const QByteArray pin =
            AcceptedCertificatePin(trust, hostName() + u':' + QString::number(port)).toLatin1();
        if (!pin.isEmpty()) {
            // The accepted certificate is the only one that passes.
            curl_easy_setopt(m_handle, CURLOPT_SSL_VERIFYPEER, 0L);
            curl_easy_setopt(m_handle, CURLOPT_SSL_VERIFYHOST, 0L);
            curl_easy_setopt(m_handle, CURLOPT_PINNEDPUBLICKEY, pin.constData());
        }
    }
}

qint64 CurlFtpConnection::idleLimit() const
{
    return std::max(m_connectTimeout > 0 ? m_connectTimeout : DefaultTimeout,
                    m_receiveTimeout > 0 ? m_receiveTimeout : DefaultTimeout);
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

bool CurlFtpConnection::perform(const QString &urlPath)
{
    const QString url = serverUrl() + urlPath;
    const QByteArray urlBytes = url.toUtf8();
    m_refusal.clear();
    m_trust = {};
    m_received.clear();
    m_curlError[0] = '\0';
    m_moved = -1;
    m_stalled = false;
    curl_easy_setopt(m_handle, CURLOPT_URL, urlBytes.constData());
    CURLcode code = curl_easy_perform(m_handle);
    if (m_stalled)
        code = CURLE_OPERATION_TIMEDOUT;
    m_responsive = code != CURLE_OPERATION_TIMEDOUT && code != CURLE_ABORTED_BY_CALLBACK &&
                   code != CURLE_COULDNT_CONNECT && code != CURLE_SEND_ERROR &&
                   code != CURLE_RECV_ERROR && code != CURLE_GOT_NOTHING &&
                   code != CURLE_PARTIAL_FILE && code != CURLE_SSH;
    if (code == CURLE_OK)
        return true;
    if (m_trust) {
        m_trust.server = hostName() + u':' + QString::number(port);
        m_refusal = TrustQuestionText(m_trust);
    } else if (code == CURLE_PEER_FAILED_VERIFICATION && protocol == FtpProtocol::Ftps) {
        askAboutCertificate(url, QString::fromUtf8(m_curlError));
    } else if (code == CURLE_SSL_PINNEDPUBKEYNOTMATCH) {
        askAboutCertificate(url, QStringLiteral("以前に信頼した証明書と異なります。"));
    } else if (m_refusal.isEmpty()) {
        explain(code);
    }
    return false;
}

void CurlFtpConnection::explain(int code)
{
    switch (code) {
    case CURLE_ABORTED_BY_CALLBACK:
        m_refusal = QStringLiteral("中止しました。");
        return;
    case CURLE_OPERATION_TIMEDOUT:
        m_refusal = QStringLiteral("サーバーからの応答が時間内にありませんでした。");
        return;
    case CURLE_LOGIN_DENIED:
        m_refusal = QStringLiteral("ユーザー名またはパスワードが違います。");
        return;
    case CURLE_USE_SSL_FAILED:
        m_refusal = QStringLiteral("サーバーがTLS (FTPS) に対応していません。");
        return;
    default:
        break;
    }
    if (m_curlError[0] != '\0')
        m_refusal = QString::fromUtf8(m_curlError);
}

void CurlFtpConnection::askAboutCertificate(const QString &url, const QString &reason)
{
    CURL *probe = curl_easy_init();
    if (!probe)
        return;
    const QByteArray urlBytes = url.toUtf8();
    curl_easy_setopt(probe, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(probe, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(probe, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(probe, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    curl_easy_setopt(probe, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(probe, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(probe, CURLOPT_CERTINFO, 1L);
    curl_easy_setopt(probe, CURLOPT_NOBODY, 1L);
    // The account stays with the client until the certificate is trusted.
    curl_easy_setopt(probe, CURLOPT_USERNAME, "anonymous");
    curl_easy_setopt(probe, CURLOPT_PASSWORD, "");
    curl_easy_setopt(probe, CURLOPT_CONNECTTIMEOUT_MS,
                     long(m_connectTimeout > 0 ? m_connectTimeout : DefaultTimeout));
    curl_easy_setopt(probe, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     std::max(1L, long(m_receiveTimeout + 999) / 1000));
    curl_easy_perform(probe);
    const QSslCertificate certificate = firstCertificate(probe);
    curl_easy_cleanup(probe);
    m_refusal = QStringLiteral("証明書を確認できません: ") + reason;
    if (certificate.isNull())
        return;
    m_trust.kind = TrustQuestion::Kind::UntrustedCertificate;
    m_trust.server = hostName() + u':' + QString::number(port);
    m_trust.reason = reason;
    m_trust.fingerprint =
        QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper());
    m_trust.pin = QStringLiteral("sha256//") +
                  QString::fromLatin1(QCryptographicHash::hash(certificate.publicKey().toDer(),
                                                               QCryptographicHash::Sha256)
                                          .toBase64());
    m_refusal = TrustQuestionText(m_trust);
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
