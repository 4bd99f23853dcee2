#pragma once

#include "core/publish/ftptemplate.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Debian's pyftpdlib on 127.0.0.1, with one account that may write into
// the root folder. Stopped when the object goes.
class PyFtpdServer
{
public:
    PyFtpdServer() = default;
    ~PyFtpdServer();
    PyFtpdServer(const PyFtpdServer &) = delete;
    PyFtpdServer &operator=(const PyFtpdServer &) = delete;

    // Starts the server and waits until it names its port. False (with a
    // reason in failure()) when it does not come up.
    bool start(const QString &root, const QString &user, const QString &password);
    quint16 port() const { return m_port; }
    // A template that logs in to this server, with a short time-out.
    FtpTemplate ftpTemplate() const;
    QString failure() const { return m_failure; }

private:
    QProcess m_process;
    QTemporaryDir m_logDir; // the log goes to a file: nobody reads a pipe while a client blocks
    quint16 m_port = 0;
    QString m_user;
    QString m_password;
    QString m_failure;
};
