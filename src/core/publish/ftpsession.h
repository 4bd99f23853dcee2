#pragma once

#include "core/publish/ftptemplate.h"
#include "core/publish/servertrust.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>

// One upload's connection to a server, through whichever client the
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
    // Stores the bytes under a temporary name beside the file and renames
    // it over the file once complete, so that readers see the old file or
    // the new one, never a part. When the server refuses to rename over an
    // existing file, the file is deleted first and note() says so. A failure
    // removes the temporary file where the server still answers.
    bool send(const QByteArray &content, const QString &remoteName);
    // The names in the remote directory.
    virtual std::optional<QStringList> list() = 0;
    // Ends the connection; failures at this point are of no interest.
    virtual void close() = 0;
    QString errorText() const { return m_failure.isEmpty() ? clientErrorText() : m_failure; }
    // Set when the connection stopped because the server is not trusted.
    virtual TrustQuestion trustQuestion() const { return {}; }
    // What the user should know about a send that worked; empty mostly.
    QString note() const { return m_note; }

protected:
    virtual QString clientErrorText() const = 0;
    // False once the connection broke, timed out or was cancelled: nothing
    // more is asked of the server then, so a failure ends within the time-out.
    virtual bool isResponsive() const = 0;
    virtual bool store(const QByteArray &content, const QString &remoteName) = 0;
    virtual bool rename(const QString &from, const QString &to) = 0;
    virtual bool remove(const QString &name) = 0;

private:
    // Removes the temporary file after a failure, keeping the failure's text.
    void discard(const QString &temporary);

    QString m_note;
    QString m_failure;
};

// The name a file is uploaded under before it replaces the live one.
QString TemporaryUploadName(const QString &remoteName);

// What a session needs beyond the template: where trust is kept, a host
// key the user has just accepted, and a flag that cancels the run.
struct SessionContext
{
    TrustFiles trust;
    QString acceptedHostKey;
    const std::atomic<bool> *cancel = nullptr;
};

// The libcurl client when the template asks for it or for FTPS or SFTP,
// else the socket client.
std::unique_ptr<FtpSession> CreateFtpSession(const FtpTemplate &ftpTemplate,
                                             const SessionContext &context = {});
