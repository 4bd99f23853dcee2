#pragma once

#include "core/publish/ftpsession.h"

#include <QByteArray>
#include <QString>
#include <memory>

// Where an upload run puts the feed's files: an FTP server through a
// session, or a folder the files are copied into.
class UploadDestination
{
public:
    // A folder that must already exist; it is never created.
    static UploadDestination folder(const QString &path);
    // The template's server, in the existing directory "/" + uploadPath.
    static UploadDestination ftp(const FtpTemplate &ftpTemplate, const QString &uploadPath,
                                 const SessionContext &context = {});

    // Connects to the server; nothing to do for a folder. The connection
    // lives from here to close() on the thread that opened it.
    bool open();
    // Stores the bytes under the name, replacing a file of that name as a
    // whole: readers see the old file or the new one.
    bool send(const QByteArray &bytes, const QString &name);
    // What the user should know about the sends that worked; empty mostly.
    QString notes() const { return m_notes; }
    // The next connection accepts this unknown SSH host key and adds it to
    // the known hosts.
    void trustHostKey(const QString &fingerprint) { m_context.acceptedHostKey = fingerprint; }
    // Set when the server could not be trusted.
    TrustQuestion trustQuestion() const;
    // Ends the connection; failures at this point are of no interest.
    void close();
    // Why the last step failed: the server's reply or the system's text.
    QString errorText() const;

private:
    UploadDestination() = default;

    QString m_folder;
    FtpTemplate m_template;
    SessionContext m_context;
    QString m_notes;
    QString m_remoteDirectory;
    bool m_ftp = false;
    std::unique_ptr<FtpSession> m_session;
    QString m_folderError;
};
