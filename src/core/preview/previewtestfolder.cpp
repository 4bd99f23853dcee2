#include "core/preview/previewtestfolder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString folderPrefix()
{
    return QStringLiteral("brisklet-preview-");
}

// The process id in a folder's name; 0 when the name holds none.
pid_t ownerProcess(const QString &name)
{
    const QString rest = name.mid(folderPrefix().size());
    bool ok = false;
    const qint64 pid = rest.left(rest.indexOf(u'-')).toLongLong(&ok);
    return ok && pid > 0 ? pid_t(pid) : 0;
}

bool processRuns(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace

PreviewTestFolder::Written PreviewTestFolder::write(const QString &fileName,
                                                    const QByteArray &bytes)
{
    if (!m_folder || !m_folder->isValid()) {
        // QTemporaryDir makes the folder with mode 0700.
        m_folder = std::make_unique<QTemporaryDir>(QDir(QDir::tempPath())
                                                       .filePath(folderPrefix() +
                                                                 QString::number(::getpid()) +
                                                                 QStringLiteral("-XXXXXX")));
        if (!m_folder->isValid())
            return {{},
                    TestFileFailedText(fileName) + QStringLiteral("\r\n") +
                        m_folder->errorString()};
    }
    const QString path = m_folder->filePath(fileName);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {{}, TestFileFailedText(fileName) + QStringLiteral("\r\n") + file.errorString()};
    return {path, {}};
}

QString PreviewTestFolder::path() const
{
    return m_folder && m_folder->isValid() ? m_folder->path() : QString();
}

void RemoveEndedPreviewFolders(const QString &temporaryFolder)
{
    const QDir folder(temporaryFolder);
    for (const QString &name :
         folder.entryList({folderPrefix() + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString path = folder.filePath(name);
        struct stat info = {};
        // Only real folders of this user: never a link, never someone else's.
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_uid != ::geteuid())
            continue;
        const pid_t owner = ownerProcess(name);
        if (owner != 0 && !processRuns(owner))
            QDir(path).removeRecursively();
    }
}
