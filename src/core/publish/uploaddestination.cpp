#include "uploaddestination.h"

#include "feed/textops.h"
#include "ftpnames.h"

#include <QSaveFile>

UploadDestination UploadDestination::folder(const QString &path)
{
    UploadDestination destination;
    destination.m_folder = AddPathDelimiter(path);
    return destination;
}

UploadDestination UploadDestination::ftp(const FtpTemplate &ftpTemplate, const QString &uploadPath)
{
    UploadDestination destination;
    destination.m_template = ftpTemplate;
    destination.m_remoteDirectory = RemoteUploadDirectory(uploadPath);
    destination.m_ftp = true;
    return destination;
}

bool UploadDestination::open()
{
    if (!m_ftp)
        return true;
    m_session = CreateFtpSession(m_template.useWinInet);
    return m_session->open(m_template, m_remoteDirectory);
}

bool UploadDestination::send(const QByteArray &bytes, const QString &name)
{
    if (m_session)
        return m_session->send(bytes, name);
    // The old file stays whole until the new one is complete.
    QSaveFile file(m_folder + name);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    m_folderError = file.errorString();
    return false;
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
