#pragma once

#include "curlftpconnection.h"

#include <QByteArray>
#include <QString>

// The FTP client that sends files straight from memory, on libcurl. An
// upload uses: open(), the time-outs, setActive(true) (connect and log in),
// setCurrentDirectory(), put() for each file, setActive(false).
class CurlFtpClient : public CurlFtpConnection
{
public:
    enum class FileMode
    {
        Ascii,
        Binary
    };

    QString UserName;
    QString Password;
    bool Passive = false;

    // Connects and logs in, or disconnects. Failing to connect or to log in
    // gives "指定されたホストに接続できませんでした。".
    bool setActive(bool active);

    // Changes to an existing remote directory (absolute, "/" first); it is
    // never created. Failure: "カレントディレクトリを設定できません".
    bool setCurrentDirectory(const QString &directory);

    // Stores the bytes under the name in the current directory.
    bool put(const QByteArray &content, const QString &remoteName,
             FileMode mode = FileMode::Binary);

private:
    // Runs one request on the connection for a URL path below the server.
    bool perform(const QString &urlPath);

    QString m_directory;
};
