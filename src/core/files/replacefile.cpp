#include "core/files/replacefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Large enough that a copy costs few system calls, small enough that a file
// of any size is copied in little memory.
constexpr qsizetype CopyBlockSize = 256 * 1024;

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

int createUniqueBeside(const QString &path, QByteArray *tempPath, mode_t mode)
{
    const QFileInfo info(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = u'.' + info.fileName() + u'.' +
                             QString::number(QRandomGenerator::global()->generate(), 36);
        *tempPath = QFile::encodeName(info.dir().filePath(name));
        const int fd = ::open(tempPath->constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool syncFolder(const QString &path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool copyToEnd(QIODevice &source, int fd)
{
    QByteArray block(CopyBlockSize, Qt::Uninitialized);
    for (;;) {
        const qint64 n = source.read(block.data(), block.size());
        if (n == 0)
            return true;
        if (n < 0) {
            // The device keeps its reason in its errorString(); errno only
            // tells that reading failed.
            errno = EIO;
            return false;
        }
        if (!WriteAll(fd, QByteArrayView(block).first(n)))
            return false;
    }
}

} // namespace

StagedFile::StagedFile(const QString &path, const QByteArray &bytes, Durability durability)
    : StagedFile(path, durability, [&](int fd) { return WriteAll(fd, bytes); })
{
}

StagedFile::StagedFile(const QString &path, Durability durability,
                       const std::function<bool(int fd)> &writeContent, FileAccess access)
    : m_path(path), m_durability(durability)
{
    const QByteArray target = QFile::encodeName(path);
    // A private file is never readable by others, not even while it is
    // written, so nobody can open it then and read on later.
    const bool ownerOnly = access == FileAccess::OwnerOnly;
    const int fd = createUniqueBeside(path, &m_temp, ownerOnly ? 0600 : 0666);
    if (fd < 0) {
        m_error = errorText(errno);
        m_temp.clear();
        return;
    }
    struct stat old = {};
    bool ok = true;
    if (ownerOnly)
        ok = ::fchmod(fd, 0600) == 0;
    else if (::stat(target.constData(), &old) == 0)
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && writeContent(fd);
    if (ok && durability == Durability::Synced)
        ok = ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        m_error = errorText(error);
        discard();
    }
}

StagedFile::StagedFile(StagedFile &&other) noexcept
    : m_path(std::move(other.m_path)), m_temp(std::exchange(other.m_temp, QByteArray())),
      m_durability(other.m_durability), m_error(std::move(other.m_error))
{
}

StagedFile &StagedFile::operator=(StagedFile &&other) noexcept
{
    if (this != &other) {
        discard();
        m_path = std::move(other.m_path);
        m_temp = std::exchange(other.m_temp, QByteArray());
        m_durability = other.m_durability;
        m_error = std::move(other.m_error);
    }
    return *this;
}

StagedFile::~StagedFile()
{
    discard();
}

void StagedFile::discard()
{
    if (!m_temp.isEmpty())
        ::unlink(m_temp.constData());
    m_temp.clear();
}

QString StagedFile::commit()
{
    if (hasError() || m_temp.isEmpty())
        return m_error;
    if (::rename(m_temp.constData(), QFile::encodeName(m_path).constData()) != 0) {
        m_error = errorText(errno);
        discard();
        return m_error;
    }
    m_temp.clear();
    if (m_durability == Durability::Synced && !syncFolder(m_path))
        return errorText(errno);
    return {};
}

QString ReplaceFile(const QString &path, const QByteArray &bytes, Durability durability)
{
    return StagedFile(path, bytes, durability).commit();
}

QString ReplaceFileFrom(const QString &path, QIODevice &source, Durability durability)
{
    return StagedFile(path, durability, [&](int fd) { return copyToEnd(source, fd); }).commit();
}

bool WriteAll(int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += n;
    }
    return true;
}
