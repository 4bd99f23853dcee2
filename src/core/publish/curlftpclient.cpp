#include "core/publish/curlftpclient.h"

#include "core/publish/ftpnames.h"

#include <QUrl>
#include <algorithm>
#include <cstring>
#include <curl/curl.h>
#include <memory>

namespace {

const QString ConnectFailedText = QStringLiteral("指定されたホストに接続できませんでした。");

// Chunks stay small, as the transfer was always paced in them.
constexpr size_t ChunkSize = 1024;

struct Upload
{
    const QByteArray &content;
    size_t sent = 0;
    bool started = false;
};

size_t readChunk(char *buffer, size_t size, size_t count, void *userData)
{
    auto &upload = *static_cast<Upload *>(userData);
    upload.started = true;
    const size_t left = size_t(upload.content.size()) - upload.sent;
    const size_t chunk = std::min({size * count, ChunkSize, left});
    std::memcpy(buffer, upload.content.constData() + upload.sent, chunk);
    upload.sent += chunk;
    return chunk;
}

QString encodedSegment(const QString &segment)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(segment));
}

// The URL path of an absolute directory, ending in "/". For FTP its first
// "/" is written "%2F" so that libcurl takes the path from the server root,
// not from the login directory; SFTP paths are from the root already.
QString encodedDirectory(const QString &directory, FtpProtocol protocol)
{
    QStringList segments = directory.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (QString &segment : segments)
        segment = encodedSegment(segment);
    const QString path = segments.join(QLatin1Char('/'));
    if (protocol == FtpProtocol::Sftp)
        return path.isEmpty() ? path : path + QLatin1Char('/');
    return QStringLiteral("%2F") + path + QLatin1Char('/');
}

struct SlistFree
{
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

} // namespace

void CurlFtpClient::logout()
{
    destroyHandle();
}

bool CurlFtpClient::login()
{
    if (!checkInitialized())
        return false;
    if (!IsSendableFtpText(hostName()) || !IsSendableFtpText(userName) ||
        !IsSendableFtpText(password) || !createHandle())
        return fail(ConnectFailedText);
    const QByteArray user = userName.toUtf8();
    const QByteArray secret = password.toUtf8();
    curl_easy_setopt(handle(), CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(handle(), CURLOPT_PASSWORD, secret.constData());
    // "-": listen on the address of the control connection; none: passive.
    curl_easy_setopt(handle(), CURLOPT_FTPPORT, passive ? nullptr : "-");
    // Requests without a file only log in and change directory.
    curl_easy_setopt(handle(), CURLOPT_NOBODY, 1L);
    m_directory.clear();
    if (!perform(QString())) {
        destroyHandle();
        return fail(ConnectFailedText);
    }
    return true;
}

QString CurlFtpClient::directoryUrlPath() const
{
    // Before a directory was set, names are below the login directory.
    return m_directory.isEmpty() ? QString() : encodedDirectory(m_directory, protocol);
}

bool CurlFtpClient::changeDirectory(const QString &directory)
{
    const QString failedText = QStringLiteral("カレントディレクトリを設定できません");
    if (!isActive() || !IsSendableFtpText(directory))
        return fail(failedText);
    const QString previous = m_directory;
    m_directory = directory;
    // SFTP has no directory to change to: a listing shows it is there.
    if (protocol == FtpProtocol::Sftp ? !list() : !runCommands({})) {
        m_directory = previous;
        return fail(failedText);
    }
    return true;
}

bool CurlFtpClient::store(const QByteArray &content, const QString &remoteName,
                          FtpTransferMode mode)
{
    if (!checkInitialized())
        return false;
    if (!isActive())
        return fail(QStringLiteral("接続されていません。"));
    const QString noAccessText = QStringLiteral("ファイルにアクセスできません。");
    if (remoteName.isEmpty() || !IsSendableFtpText(remoteName))
        return fail(noAccessText);

    Upload upload{content};
    curl_easy_setopt(handle(), CURLOPT_NOBODY, 0L);
    curl_easy_setopt(handle(), CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(handle(), CURLOPT_TRANSFERTEXT, mode == FtpTransferMode::Ascii ? 1L : 0L);
    curl_easy_setopt(handle(), CURLOPT_READFUNCTION, &readChunk);
    curl_easy_setopt(handle(), CURLOPT_READDATA, &upload);
    curl_easy_setopt(handle(), CURLOPT_INFILESIZE_LARGE, curl_off_t(content.size()));
    const bool ok = perform(directoryUrlPath() + encodedSegment(remoteName));
    curl_easy_setopt(handle(), CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(handle(), CURLOPT_READDATA, nullptr);
    if (ok)
        return true;
    // Refused before any byte was asked for: the server did not take the
    // file. Afterwards: the transfer itself broke.
    return fail(upload.started ? QStringLiteral("アップロード中にエラーが発生しました。")
                               : noAccessText);
}

QString CurlFtpClient::commandPath(const QString &name) const
{
    QString path = m_directory;
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    path += name;
    if (protocol != FtpProtocol::Sftp)
        return path;
    path.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + path + u'"';
}

bool CurlFtpClient::rename(const QString &from, const QString &to)
{
    if (!IsSendableFtpText(from) || !IsSendableFtpText(to))
        return fail(UnsendableText);
    const QStringList commands =
        protocol == FtpProtocol::Sftp
            ? QStringList{QStringLiteral("rename ") + commandPath(from) + u' ' + commandPath(to)}
            : QStringList{QStringLiteral("RNFR ") + commandPath(from),
                          QStringLiteral("RNTO ") + commandPath(to)};
    return runCommands(commands) || fail(QStringLiteral("ファイル名を変更できませんでした。"));
}

bool CurlFtpClient::remove(const QString &name)
{
    if (!IsSendableFtpText(name))
        return fail(UnsendableText);
    const QString verb =
        protocol == FtpProtocol::Sftp ? QStringLiteral("rm ") : QStringLiteral("DELE ");
    return runCommands({verb + commandPath(name)}) ||
           fail(QStringLiteral("ファイルを削除できませんでした。"));
}

bool CurlFtpClient::runCommands(const QStringList &commands)
{
    if (!isActive())
        return fail(QStringLiteral("接続されていません。"));
    std::unique_ptr<curl_slist, SlistFree> list;
    for (const QString &command : commands) {
        curl_slist *longer = curl_slist_append(list.get(), command.toUtf8().constData());
        if (!longer)
            return false;
        (void)list.release();
        list.reset(longer);
    }
    curl_easy_setopt(handle(), CURLOPT_NOBODY, 1L);
    curl_easy_setopt(handle(), CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(handle(), CURLOPT_QUOTE, list.get());
    const bool ok = perform(directoryUrlPath());
    curl_easy_setopt(handle(), CURLOPT_QUOTE, nullptr);
    return ok;
}

std::optional<QStringList> CurlFtpClient::list()
{
    if (!isActive()) {
        fail(QStringLiteral("接続されていません。"));
        return std::nullopt;
    }
    curl_easy_setopt(handle(), CURLOPT_NOBODY, 0L);
    curl_easy_setopt(handle(), CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(handle(), CURLOPT_DIRLISTONLY, 1L);
    const bool ok = perform(directoryUrlPath());
    curl_easy_setopt(handle(), CURLOPT_DIRLISTONLY, 0L);
    if (!ok) {
        fail(QStringLiteral("フォルダの一覧を取得できませんでした。"));
        return std::nullopt;
    }
    QStringList names;
    for (const QString &line : QString::fromUtf8(received()).split(u'\n', Qt::SkipEmptyParts)) {
        const QString name = line.trimmed();
        if (!name.isEmpty() && name != u"." && name != u"..")
            names.append(name);
    }
    return names;
}
