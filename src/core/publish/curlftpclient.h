#pragma once

#include "core/publish/curlftpconnection.h"
#include "core/publish/ftpnames.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The client that sends files straight from memory, on libcurl, over FTP,
// FTPS or SFTP. An upload uses: open(), the time-outs, login()
// (connect and log in), changeDirectory(), store() for each file,
// logout().
class CurlFtpClient : public CurlFtpConnection
{
public:
    QString userName;
    QString password;
    bool passive = false;

    // Connects and logs in. Failing to connect or to log in gives
    // "指定されたホストに接続できませんでした。".
    bool login();
    // Drops the connection; the client stays open for the next login().
    void logout();

    // Changes to an existing remote directory (absolute, "/" first); it is
    // never created. Failure: "カレントディレクトリを設定できません".
    bool changeDirectory(const QString &directory);

    // Stores the bytes under the name in the current directory.
    bool store(const QByteArray &content, const QString &remoteName,
               FtpTransferMode mode = FtpTransferMode::Binary);

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
