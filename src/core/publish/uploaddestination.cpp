#include "core/publish/uploaddestination.h"

#include "core/publish/ftpnames.h"
#include "core/text/textops.h"

#include <QSaveFile>

UploadDestination UploadDestination::folder(const QString &path)
{
    UploadDestination destination;
    destination.m_folder = AddPathDelimiter(path);
    return destination;
}

UploadDestination UploadDestination::ftp(const FtpTemplate &ftpTemplate, const QString &uploadPath,
                                         const SessionContext &context)
{
    UploadDestination destination;
    destination.m_template = ftpTemplate;
    destination.m_context = context;
    destination.m_remoteDirectory = RemoteUploadDirectory(uploadPath);
    destination.m_ftp = true;
    return destination;
}

bool UploadDestination::open()
{
    if (!m_ftp)
        return true;
    m_session = CreateFtpSession(m_template, m_context);
    return m_session->open(m_template, m_remoteDirectory);
}

bool UploadDestination::send(const QByteArray &bytes, const QString &name)
{
    if (m_session) {
        if (!m_session->send(bytes, name))
            return false;
        if (!m_session->note().isEmpty())
            m_notes += m_session->note() + QStringLiteral("\r\n");
        return true;
    }
    // The old file stays whole until the new one is complete.
    QSaveFile file(m_folder + name);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    m_folderError = file.errorString();
    return false;
}

TrustQuestion UploadDestination::trustQuestion() const
{
    return m_session ? m_session->trustQuestion() : TrustQuestion{};
}

QString UploadDestination::errorText() const
{
    return m_session ? m_session->errorText() : m_folderError;
}

void UploadDestination::close()
{
    if (m_session)
        m_session->close();
    m_session.reset();
}
