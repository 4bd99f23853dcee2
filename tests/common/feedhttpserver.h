#pragma once

#include <QProcess>
#include <QString>

// tests/common/feedhttpserver.py on 127.0.0.1, serving a folder's files and
// the addresses that misbehave (a redirect, a redirect loop, silence, too
// many bytes). Stopped when the object goes.
class FeedHttpServer
{
public:
    FeedHttpServer() = default;
    ~FeedHttpServer();
    FeedHttpServer(const FeedHttpServer &) = delete;
    FeedHttpServer &operator=(const FeedHttpServer &) = delete;

    // False when the server does not name its port.
    bool start(const QString &folder);
    // "http://127.0.0.1:PORT/" + path.
    QString address(const QString &path) const;

private:
    QProcess m_process;
    quint16 m_port = 0;
};
