#include "curlftpclient.h"

#include "ftpnames.h"

#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <curl/curl.h>

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

// The URL path of an absolute directory, ending in "/". Its first "/" is
// written "%2F" so that libcurl takes the path from the server root, not
// from the login directory.
QString encodedDirectory(const QString &directory)
{
    QStringList segments = directory.split(QLatin1Char('/'));
    if (segments.first().isEmpty())
        segments.removeFirst();
    for (QString &segment : segments)
        segment = encodedSegment(segment);
    return QStringLiteral("%2F") + segments.join(QLatin1Char('/')) + QLatin1Char('/');
}

} // namespace

bool CurlFtpClient::perform(const QString &urlPath)
{
    const QByteArray url = (serverUrl() + urlPath).toUtf8();
    clearRefusal();
    curl_easy_setopt(handle(), CURLOPT_URL, url.constData());
    return curl_easy_perform(handle()) == CURLE_OK;
}

bool CurlFtpClient::setActive(bool active)
{
    if (!active) {
        destroyHandle();
        return true;
    }
    if (!checkInitialized())
        return false;
    if (!IsSendableFtpText(hostName()) || !IsSendableFtpText(UserName) ||
        !IsSendableFtpText(Password) || !createHandle())
        return fail(ConnectFailedText);
    const QByteArray user = UserName.toUtf8();
    const QByteArray password = Password.toUtf8();
    curl_easy_setopt(handle(), CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(handle(), CURLOPT_PASSWORD, password.constData());
    // "-": listen on the address of the control connection; none: passive.
    curl_easy_setopt(handle(), CURLOPT_FTPPORT, Passive ? nullptr : "-");
    // Requests without a file only log in and change directory.
    curl_easy_setopt(handle(), CURLOPT_NOBODY, 1L);
    m_directory.clear();
    if (!perform(QString())) {
        destroyHandle();
        return fail(ConnectFailedText);
    }
    return true;
}

bool CurlFtpClient::setCurrentDirectory(const QString &directory)
{
    const QString failedText = QStringLiteral("カレントディレクトリを設定できません");
    if (!isActive() || !IsSendableFtpText(directory))
        return fail(failedText);
    curl_easy_setopt(handle(), CURLOPT_NOBODY, 1L);
    curl_easy_setopt(handle(), CURLOPT_UPLOAD, 0L);
    if (!perform(encodedDirectory(directory)))
        return fail(failedText);
    m_directory = directory;
    return true;
}

bool CurlFtpClient::put(const QByteArray &content, const QString &remoteName, FileMode mode)
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
    curl_easy_setopt(handle(), CURLOPT_TRANSFERTEXT, mode == FileMode::Ascii ? 1L : 0L);
    curl_easy_setopt(handle(), CURLOPT_READFUNCTION, &readChunk);
    curl_easy_setopt(handle(), CURLOPT_READDATA, &upload);
    curl_easy_setopt(handle(), CURLOPT_INFILESIZE_LARGE, curl_off_t(content.size()));
    const QString directory = m_directory.isEmpty() ? QString() : encodedDirectory(m_directory);
    const bool ok = perform(directory + encodedSegment(remoteName));
    curl_easy_setopt(handle(), CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(handle(), CURLOPT_READDATA, nullptr);
    if (ok)
        return true;
    // Refused before any byte was asked for: the server did not take the
    // file. Afterwards: the transfer itself broke.
    return fail(upload.started ? QStringLiteral("アップロード中にエラーが発生しました。")
                               : noAccessText);
}
