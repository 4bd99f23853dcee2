#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QMap>
#include <QMutex>
#include <QThread>

class QTcpServer;
class QTcpSocket;

// A small FTP server on 127.0.0.1 for what a real server will not do on
// request: never answering, odd replies, dropping a transfer half-way. It
// runs on a thread of its own, since the clients under test block.
//
// It logs in anyone, answers PASV with the foreign address 10.0.0.5 (so a
// client must take only the port), refuses EPSV and PORT, and stores what
// STOR sends.
class ScriptedFtpServer
{
public:
    enum class Fault
    {
        None,
        Silent,             // accepts connections and never says a word
        DropDuringTransfer, // resets both connections once a part of a file has come
    };
    static constexpr int DropAfterBytes = 64 * 1024;

    explicit ScriptedFtpServer(Fault fault = Fault::None,
                               const QMap<QByteArray, QByteArray> &replies = {});
    ~ScriptedFtpServer();
    ScriptedFtpServer(const ScriptedFtpServer &) = delete;
    ScriptedFtpServer &operator=(const ScriptedFtpServer &) = delete;

    quint16 port() const { return m_port; }
    // Command lines received so far, without CR LF.
    QByteArrayList commands() const;
    // The bytes of the last complete STOR.
    QByteArray stored() const;

private:
    class Session;
    void record(const QByteArray &command);
    void store(const QByteArray &bytes);

    Fault m_fault;
    // Verb → reply line, replacing the usual one; "GREETING" and "STORED"
    // (the reply after a transfer) too.
    QMap<QByteArray, QByteArray> m_replies;
    QThread m_thread;
    QObject *m_context = new QObject; // runs work on m_thread
    QTcpServer *m_listener = nullptr; // lives on m_thread
    quint16 m_port = 0;
    mutable QMutex m_mutex;
    QByteArrayList m_commands;
    QByteArray m_stored;
};
