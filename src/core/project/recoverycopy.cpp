#include "core/project/recoverycopy.h"

#include "core/files/replacefile.h"
#include "core/project/projectsnapshot.h"
#include "core/project/projectwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>

namespace {

const QByteArray noteStart = QByteArrayLiteral("<!-- brisklet-recovery file=");
// The declaration and the note, with a path of any length a system allows.
constexpr qint64 noteReadLimit = 64 * 1024;

// Percent-encoded with "-" too, so that the comment never holds "--".
QByteArray note(const QString &projectPath)
{
    return noteStart.mid(5) + QUrl::toPercentEncoding(projectPath, "/", "-");
}

} // namespace

QString RecoveryCopyPath(const QString &settingsFolder)
{
    return QDir(settingsFolder).filePath(QStringLiteral("brisklet_recovery.dta"));
}

QString WriteRecoveryCopy(const QString &copyPath, const ProjectSnapshot &snapshot)
{
    const QByteArray comment = note(snapshot.fileName);
    return StagedFile(
               copyPath, Durability::Synced,
               [&](int fd) {
                   QFile file;
                   if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
                       return false;
                   const bool written =
                       WriteProjectFile(snapshot.defaults, *snapshot.root, file, comment) &&
                       file.flush();
                   if (!written)
                       errno = EIO;
                   return written;
               },
               FileAccess::OwnerOnly)
        .commit();
}

std::optional<QString> RecoveredProjectPath(const QString &copyPath)
{
    QFile file(copyPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The note is the line after the declaration.
    const QByteArray head = file.read(noteReadLimit);
    const qsizetype start = head.indexOf("\r\n") + 2;
    const qsizetype end = head.indexOf(" -->\r\n", start);
    if (start < 2 || end < 0 || head.mid(start, noteStart.size()) != noteStart)
        return std::nullopt;
    const qsizetype from = start + noteStart.size();
    return QString::fromUtf8(QByteArray::fromPercentEncoding(head.mid(from, end - from)));
}

QString KeepRecoveryCopyAside(const QString &copyPath, const QDateTime &now)
{
    const QFileInfo copy(copyPath);
    const QString stem =
        copy.completeBaseName() + u'_' + now.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    for (int number = 1; number < 1000; ++number) {
        const QString name = number == 1 ? stem : stem + QStringLiteral("_%1").arg(number);
        const QString aside = copy.dir().filePath(name + QStringLiteral(".dta"));
        // Renaming never replaces a file that is there already.
        if (!QFile::exists(aside))
            return QFile::rename(copyPath, aside) ? aside : QString();
    }
    return {};
}

void RemoveUnfinishedRecoveryCopies(const QString &copyPath)
{
    const QFileInfo copy(copyPath);
    QDir folder = copy.dir();
    const QStringList left = folder.entryList({u'.' + copy.fileName() + QStringLiteral(".*")},
                                              QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : left)
        folder.remove(name);
}
