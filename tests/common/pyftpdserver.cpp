#include "pyftpdserver.h"

#include "ftptemplates.h"
#include "serverlog.h"

#include <QRegularExpression>

PyFtpdServer::~PyFtpdServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

FtpTemplate PyFtpdServer::ftpTemplate() const
{
    return localFtpTemplate(m_port, m_user, m_password, 5);
}

bool PyFtpdServer::start(const QString &root, const QString &user, const QString &password)
{
    m_user = user;
    m_password = password;
    const QString log = m_logDir.filePath(QStringLiteral("pyftpdlib.log"));
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(log);
    // Port 0: the server picks a free one and names it in its log.
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                     QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QStringLiteral("0"),
                     QStringLiteral("-w"), QStringLiteral("-d"), root, QStringLiteral("-u"), user,
                     QStringLiteral("-P"), password});
    if (!m_process.waitForStarted()) {
        m_failure = QStringLiteral("cannot start python3: ") + m_process.errorString();
        return false;
    }
    static const QRegularExpression started(
        QStringLiteral("starting FTP server on 127\\.0\\.0\\.1:(\\d+)"));
    const std::optional<quint16> port = WaitForPortInLog(m_process, log, started, &m_failure);
    if (port)
        m_port = *port;
    return bool(port);
}
