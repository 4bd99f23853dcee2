#include "core/project/projectlock.h"

#include "core/files/replacefile.h"
#include "core/text/charsets.h"
#include "core/userinterface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A lock file is a name, not a document: reading more is never needed.
constexpr int maxNameBytes = 256;

QByteArray encodedPath(const QString &path)
{
    return QFile::encodeName(path);
}

struct flock wholeFile(short type)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

enum class LockState
{
    Free,
    Held
};

// Looks at a lock file without taking it. Anything that is not a plain file
// (a link planted under the lock file's name, a pipe) was not made by the
// program and counts as free; it is replaced when the lock is taken.
LockState probe(const QString &lockPath, QString *name)
{
    const int fd =
        ::open(encodedPath(lockPath).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES ? LockState::Held : LockState::Free;
    struct stat info = {};
    struct flock lock = wholeFile(F_WRLCK);
    LockState state = LockState::Held;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        state = LockState::Free;
    else if (::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type == F_UNLCK)
        state = LockState::Free;
    if (state == LockState::Held) {
        char bytes[maxNameBytes];
        const ssize_t got = ::read(fd, bytes, sizeof bytes);
        QByteArray text(bytes, got > 0 ? int(got) : 0);
        for (const char lineEnd : {'\n', '\r'}) {
            if (const qsizetype end = text.indexOf(lineEnd); end >= 0)
                text.truncate(end);
        }
        // The name is in Shift_JIS, as every copy of the program writes it.
        QString decoded = DecodeShiftJis(text);
        decoded.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
        *name = decoded;
    }
    ::close(fd);
    return state;
}

int createLockFile(const QByteArray &path)
{
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0)
        return fd;
    // A file left by another user (not writable by us) or a planted link:
    // put a file of our own in its place.
    if (errno != EACCES && errno != ELOOP && errno != EPERM)
        return -1;
    ::unlink(path.constData());
    return ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

// True when the name still leads to the file held open, so nobody replaced
// it between creating and locking.
bool stillInPlace(int fd, const QByteArray &path)
{
    struct stat held = {};
    struct stat named = {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.constData(), &named) == 0 &&
           S_ISREG(held.st_mode) && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

ProjectLock::~ProjectLock()
{
    release();
}

QString ProjectLock::lockFilePath(const QString &projectPath)
{
    const QFileInfo info(projectPath);
    QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    name += QStringLiteral(".brisklet_lock");
    if (!name.startsWith(u'.'))
        name.prepend(u'.');
    return info.dir().filePath(name);
}

QString ProjectLock::loginName()
{
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    QByteArray buffer(size > 0 ? int(size) : 16384, '\0');
    struct passwd entry = {};
    struct passwd *found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), size_t(buffer.size()), &found) == 0 &&
        found && found->pw_name && *found->pw_name) {
        return QString::fromLocal8Bit(found->pw_name);
    }
    return QStringLiteral("不明");
}

bool ProjectLock::check(const QString &projectPath, UserInterface *ui)
{
    m_ownerName.clear();
    const QString lockPath = lockFilePath(projectPath);
    if (lockPath == m_path)
        return true;
    QString name;
    if (probe(lockPath, &name) == LockState::Free)
        return true;
    if (!name.isEmpty())
        m_ownerName = QStringLiteral(" \"") + name + QStringLiteral("\" ");
    if (ui)
        ui->information(ProjectBusyMessage(projectPath, m_ownerName));
    return false;
}

bool ProjectLock::take(const QString &projectPath, UserInterface &ui)
{
    release();
    const QString lockPath = lockFilePath(projectPath);
    const QByteArray path = encodedPath(lockPath);
    const int fd = createLockFile(path);
    struct flock lock = wholeFile(F_WRLCK);
    if (fd < 0 || ::fcntl(fd, F_OFD_SETLK, &lock) != 0 || !stillInPlace(fd, path)) {
        if (fd >= 0)
            ::close(fd);
        ui.information(QStringLiteral("プロジェクトのオープンに失敗しました。"));
        return false;
    }
    // The name only helps others' messages; the lock holds without it.
    if (::ftruncate(fd, 0) == 0)
        WriteAll(fd, EncodeShiftJis(loginName(), Unencodable::QuestionMark));
    m_fd = fd;
    m_path = lockPath;
    return true;
}

void ProjectLock::release()
{
    if (m_fd < 0)
        return;
    // Removed while still locked, so nobody can take a file about to vanish.
    if (stillInPlace(m_fd, encodedPath(m_path)))
        ::unlink(encodedPath(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

QString ProjectBusyMessage(const QString &projectPath, const QString &ownerName)
{
    return QStringLiteral("このプロジェクト \"") + QFileInfo(projectPath).completeBaseName() +
           QStringLiteral("\" はユーザー") + ownerName + QStringLiteral("が編集中です。");
}
