#include "feedhttpserver.h"

FeedHttpServer::~FeedHttpServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

bool FeedHttpServer::start(const QString &folder)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral(BRISKLET_SOURCE_DIR "/tests/common/feedhttpserver.py"), folder});
    if (!m_process.waitForStarted(10000))
        return false;
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(10000))
            return false;
    }
    m_port = quint16(m_process.readLine().trimmed().toUInt());
    return m_port != 0;
}

QString FeedHttpServer::address(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_port) + path;
}
