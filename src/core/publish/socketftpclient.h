#pragma once

#include "core/publish/ftpcontrolconnection.h"

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <optional>

// The FTP client that speaks the protocol itself over TCP sockets. An upload
// uses: Connect() (with login), Mode(), ChangeDir(), Upload() for each file,
// Disconnect(). A failing step returns false with errorText(): the server's
// reply, or why the client gave up.
class SocketFtpClient : public FtpControlConnection
{
public:
    enum class TransferMode
    {
        Ascii,
        Image
    };

    QString UserID;
    QString Password;
    bool Passive = false;

    // Connects, reads the greeting and logs in ("PASS" only when the server
    // asks for it with 331).
    bool Connect();
    bool Mode(TransferMode mode);
    bool ChangeDir(const QString &path);
    // Stores everything the source gives under the name; a file goes under
    // its own name when the name is empty.
    bool Upload(QIODevice &source, const QString &name);
    // "RNFR" then "RNTO": the server renames a file of the current folder.
    bool Rename(const QString &from, const QString &to);
    // "DELE": the server deletes a file of the current folder.
    bool Delete(const QString &name);
    // "NLST": the names in the current folder.
    std::optional<QStringList> List();
    // Sends "QUIT" and closes the control connection, whatever the answer.
    bool Disconnect();

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
