#pragma once

#include "core/publish/ftptemplate.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A test server from tests/servers (SFTP over paramiko, FTPS over
// pyftpdlib) run by Debian's python on 127.0.0.1 with one account. It keeps
// its host key or certificate in its own folder, so a restart keeps it.
// Stopped when the object goes.
class ScriptServer
{
public:
    enum class Kind
    {
        Sftp,
        Ftps
    };

    ScriptServer(Kind kind, const QString &root, const QString &user, const QString &password);
    ~ScriptServer();
    ScriptServer(const ScriptServer &) = delete;
    ScriptServer &operator=(const ScriptServer &) = delete;

    // Starts the server and waits until it names its port. False (with a
    // reason in failure()) when it does not come up.
    bool start(const QStringList &extraArguments = {});
    void kill();
    // The server stops answering (SIGSTOP) or answers again.
    void pause(bool paused);
    // Gives the server a new host key or certificate from the next start.
    void forgetIdentity();

    quint16 port() const { return m_port; }
    QString failure() const { return m_failure; }
    // A template that logs in to this server, with a time-out that a
    // sanitizer build still meets.
    FtpTemplate ftpTemplate() const;

private:
    QString identityPath() const;

    Kind m_kind;
    QString m_root;
    QString m_user;
    QString m_password;
    QProcess m_process;
    QTemporaryDir m_dir; // log and identity
    quint16 m_port = 0;
    QString m_failure;
};
