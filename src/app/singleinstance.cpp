#include "app/singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace {

// One request a line: "activate", or "open " and the file's address.
const QByteArray activateRequest = QByteArrayLiteral("activate");
const QByteArray openRequest = QByteArrayLiteral("open ");
constexpr int waitForFirstMs = 10000;

} // namespace

SingleInstance::SingleInstance(const QString &folder, QObject *parent)
    : QObject(parent), m_socketPath(QDir(folder).filePath(QStringLiteral("brisklet.socket"))),
      m_lock(QDir(folder).filePath(QStringLiteral("brisklet.lock")))
{
    // Only a living holder counts; the age of the lock does not.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

bool SingleInstance::claim()
{
    return m_lock.tryLock(0);
}

bool SingleInstance::activateFirst(const QString &projectFile) const
{
    const QByteArray request =
        (projectFile.isEmpty() ? activateRequest
                               : openRequest + QUrl::fromLocalFile(projectFile).toEncoded()) +
        '\n';
    // The first process may still be starting; it listens once its window
    // is shown.
    const QDeadlineTimer deadline(waitForFirstMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(500)) {
            socket.write(request);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a crashed first process would refuse listening;
    // holding the lock makes it ours to remove.
    QLocalServer::removeServer(m_socketPath);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                while (socket->canReadLine())
                    answer(socket->readLine().trimmed());
            });
        }
    });
    return m_server->listen(m_socketPath);
}

void SingleInstance::answer(const QByteArray &request)
{
    if (request == activateRequest)
        Q_EMIT activationRequested();
    else if (request.startsWith(openRequest))
        Q_EMIT openRequested(QUrl::fromEncoded(request.mid(openRequest.size())).toLocalFile());
}
