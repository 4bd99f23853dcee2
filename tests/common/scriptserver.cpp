#include "scriptserver.h"

#include "ftptemplates.h"
#include "serverlog.h"

#include <QFile>
#include <QRegularExpression>
#include <csignal>

ScriptServer::ScriptServer(Kind kind, const QString &root, const QString &user,
                           const QString &password)
    : m_kind(kind), m_root(root), m_user(user), m_password(password)
{
}

ScriptServer::~ScriptServer()
{
    kill();
}

QString ScriptServer::identityPath() const
{
    return m_dir.filePath(m_kind == Kind::Sftp ? QStringLiteral("host_key")
                                               : QStringLiteral("cert.pem"));
}

void ScriptServer::forgetIdentity()
{
    QFile::remove(identityPath());
}

bool ScriptServer::start(const QStringList &extraArguments)
{
    kill();
    const QString log = m_dir.filePath(QStringLiteral("server.log"));
    QFile::remove(log);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(log);
    const QString script =
        QStringLiteral(BRISKLET_SOURCE_DIR "/tests/servers/") +
        (m_kind == Kind::Sftp ? QStringLiteral("sftpserver.py") : QStringLiteral("ftpsserver.py"));
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    QStringList{script, m_root, identityPath(), m_user, m_password} +
                        extraArguments);
    if (!m_process.waitForStarted()) {
        m_failure = QStringLiteral("cannot start python3: ") + m_process.errorString();
        return false;
    }
    static const QRegularExpression started(QStringLiteral("^port (\\d+)$"),
                                            QRegularExpression::MultilineOption);
    const std::optional<quint16> port = WaitForPortInLog(m_process, log, started, &m_failure);
    if (port)
        m_port = *port;
    return bool(port);
}

void ScriptServer::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    pause(false);
    m_process.kill();
    m_process.waitForFinished(5000);
}

void ScriptServer::pause(bool paused)
{
    if (m_process.state() == QProcess::Running)
        ::kill(pid_t(m_process.processId()), paused ? SIGSTOP : SIGCONT);
}

FtpTemplate ScriptServer::ftpTemplate() const
{
    FtpTemplate t = localFtpTemplate(m_port, m_user, m_password, 10);
    t.protocol = m_kind == Kind::Sftp ? FtpProtocol::Sftp : FtpProtocol::Ftps;
    return t;
}
