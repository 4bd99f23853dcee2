#pragma once

#include "core/publish/ftpcontrolconnection.h"
#include "core/publish/ftpnames.h"

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <optional>

// The FTP client that speaks the protocol itself over TCP sockets. An upload
// uses: login(), setTransferMode(), changeDirectory(), store() for each
// file, logout(). A failing step returns false with errorText(): the server's
// reply, or why the client gave up.
class SocketFtpClient : public FtpControlConnection
{
public:
    QString userName;
    QString password;
    bool passive = false;

    // Connects, reads the greeting and logs in ("PASS" only when the server
    // asks for it with 331).
    bool login();
    bool setTransferMode(FtpTransferMode mode);
    bool changeDirectory(const QString &path);
    // Stores everything the source gives under the name; a file goes under
    // its own name when the name is empty.
    bool store(QIODevice &source, const QString &name);
    // "RNFR" then "RNTO": the server renames a file of the current folder.
    bool rename(const QString &from, const QString &to);
    // "DELE": the server deletes a file of the current folder.
    bool remove(const QString &name);
    // "NLST": the names in the current folder.
    std::optional<QStringList> list();
    // Sends "QUIT" and closes the control connection, whatever the answer.
    bool logout();

private:
    // The sockets a data connection may use, living as long as it.
    struct DataConnection
    {
        QTcpSocket passive;
        QTcpServer listener;
        std::unique_ptr<QTcpSocket> active;
    };
    // Sends the command that needs a data connection and opens it, passive
    // or active: the socket to use, or none on failure.
    QTcpSocket *openData(const QString &line, DataConnection &connection);
    // Passive: the data connection goes to the control connection's host
    // on the port from the PASV reply.
    bool openPassiveData(QTcpSocket &data);
    // Active: a listening socket announced with PORT (EPRT for IPv6).
    bool announceActiveData(QTcpServer &listener);
    bool sendData(QIODevice &source, QTcpSocket &data);
};

// The data port of a PASV reply: the text up to ")" split at commas gives
// the port as field 5 × 256 + field 6. Zero when the reply holds no port.
quint16 PassiveReplyPort(const QString &reply);
