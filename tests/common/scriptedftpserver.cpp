#include "scriptedftpserver.h"

#include <QTcpServer>
#include <QTcpSocket>

// One control connection with its data connection.
class ScriptedFtpServer::Session : public QObject
{
public:
    Session(ScriptedFtpServer &server, QTcpSocket *control)
        : QObject(control), m_server(server), m_control(control)
    {
        if (server.m_fault == Fault::Silent)
            return;
        QObject::connect(control, &QTcpSocket::readyRead, this, &Session::readCommands);
        reply(server.m_replies.value("GREETING", "220 scripted server ready"));
    }

private:
    void reply(const QByteArray &line) { m_control->write(line + "\r\n"); }

    void readCommands()
    {
        while (m_control->canReadLine()) {
            const QByteArray line = m_control->readLine().trimmed();
            m_server.record(line);
            const QByteArray verb = line.split(' ').first().toUpper();
            if (m_server.m_replies.contains(verb))
                reply(m_server.m_replies.value(verb));
            else
                answer(verb);
        }
    }

    void answer(const QByteArray &verb)
    {
        if (verb == "USER")
            reply("331 password please");
        else if (verb == "PASS")
            reply("230 logged in");
        else if (verb == "PWD")
            reply("257 \"/\" is the current directory");
        else if (verb == "CWD" || verb == "TYPE")
            reply("200 ok");
        else if (verb == "PASV")
            openPassive();
        else if (verb == "STOR")
            startStore();
        else if (verb == "RNFR")
            reply("350 ready for the new name");
        else if (verb == "RNTO" || verb == "DELE")
            reply("250 done");
        else if (verb == "QUIT")
            reply("221 bye");
        else
            reply("502 not here");
    }

    void openPassive()
    {
        auto *listener = new QTcpServer(this);
        listener->listen(QHostAddress::LocalHost, 0);
        QObject::connect(listener, &QTcpServer::newConnection, this, [this, listener] {
            m_data = listener->nextPendingConnection();
            QObject::connect(m_data, &QTcpSocket::readyRead, this, &Session::readData);
            QObject::connect(m_data, &QTcpSocket::disconnected, this, &Session::dataClosed);
        });
        const quint16 port = listener->serverPort();
        reply("227 Entering Passive Mode (10,0,0,5," + QByteArray::number(port >> 8) + ',' +
              QByteArray::number(port & 0xFF) + ")");
    }

    void startStore()
    {
        m_storing = true;
        m_received.clear();
        reply("150 send it");
    }

    void readData()
    {
        m_received += m_data->readAll();
        if (m_server.m_fault == Fault::DropDuringTransfer && m_received.size() >= DropAfterBytes) {
            m_storing = false;
            m_data->abort();
            m_control->abort();
        }
    }

    void dataClosed()
    {
        if (!m_storing)
            return;
        m_received += m_data->readAll();
        m_storing = false;
        m_server.store(m_received);
        reply(m_server.m_replies.value("STORED", "226 stored"));
    }

    ScriptedFtpServer &m_server;
    QTcpSocket *m_control;
    QTcpSocket *m_data = nullptr;
    bool m_storing = false;
    QByteArray m_received;
};

ScriptedFtpServer::ScriptedFtpServer(Fault fault, const QMap<QByteArray, QByteArray> &replies)
    : m_fault(fault), m_replies(replies)
{
    m_context->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            m_listener = new QTcpServer;
            m_listener->listen(QHostAddress::LocalHost, 0);
            m_port = m_listener->serverPort();
            QObject::connect(m_listener, &QTcpServer::newConnection, m_listener, [this] {
                while (QTcpSocket *control = m_listener->nextPendingConnection())
                    new Session(*this, control);
            });
        },
        Qt::BlockingQueuedConnection);
}

ScriptedFtpServer::~ScriptedFtpServer()
{
    QMetaObject::invokeMethod(
        m_context, [this] { delete m_listener; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QByteArrayList ScriptedFtpServer::commands() const
{
    QMutexLocker lock(&m_mutex);
    return m_commands;
}

QByteArray ScriptedFtpServer::stored() const
{
    QMutexLocker lock(&m_mutex);
    return m_stored;
}

void ScriptedFtpServer::record(const QByteArray &command)
{
    QMutexLocker lock(&m_mutex);
    m_commands << command;
}

void ScriptedFtpServer::store(const QByteArray &bytes)
{
    QMutexLocker lock(&m_mutex);
    m_stored = bytes;
}
