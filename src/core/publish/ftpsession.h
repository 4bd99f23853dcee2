#pragma once

#include "ftptemplate.h"

#include <QByteArray>
#include <QString>
#include <memory>

// One upload's connection to an FTP server, through whichever client the
// template chooses. Every failing step returns false; errorText() says why,
// with the server's reply when the server refused.
class FtpSession
{
public:
    virtual ~FtpSession() = default;

    // Drops a connection left from an earlier run, connects and logs in with
    // the template's values and changes to the remote directory, which must
    // exist.
    virtual bool open(const FtpTemplate &ftpTemplate, const QString &remoteDirectory) = 0;
    virtual bool send(const QByteArray &content, const QString &remoteName) = 0;
    // Ends the connection; failures at this point are of no interest.
    virtual void close() = 0;
    virtual QString errorText() const = 0;
};

// The libcurl client when useWinInet is set, else the socket client.
std::unique_ptr<FtpSession> CreateFtpSession(bool useWinInet);
