#pragma once

#include "core/publish/curlftpconnection.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The client that sends files straight from memory, on libcurl, over FTP,
// FTPS or SFTP. An upload uses: open(), the time-outs, setActive(true)
// (connect and log in), setCurrentDirectory(), put() for each file,
// setActive(false).
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

    // Renames a file of the current directory over another name; false when
    // the server refuses, which some do when the new name exists.
    bool rename(const QString &from, const QString &to);
    // Deletes a file of the current directory.
    bool remove(const QString &name);
    // The names in the current directory.
    std::optional<QStringList> list();

private:
    // A request that sends the commands in the current directory and
    // transfers nothing.
    bool runCommands(const QStringList &commands);
    // A command's path: the current directory and the name, quoted for SFTP.
    QString commandPath(const QString &name) const;
    QString directoryUrlPath() const;

    QString m_directory;
};
