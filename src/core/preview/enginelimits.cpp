#include "core/preview/enginelimits.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool isLocalScheme(const QUrl &address)
{
    static const QStringList local = {QStringLiteral("file"), QStringLiteral("data"),
                                      QStringLiteral("blob"), QStringLiteral("about"),
                                      QStringLiteral("qrc")};
    return local.contains(address.scheme().toLower());
}

bool isAtOrBelow(const QString &path, const QString &own)
{
    const QString ownPath = QDir::cleanPath(own);
    return path == ownPath || path.startsWith(ownPath + u'/');
}

// The sandbox of the engine puts each page process into new user, process
// and network namespaces; a child process tries the same.
bool userNamespacesWork()
{
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0)
        ::_exit(::unshare(CLONE_NEWUSER | CLONE_NEWPID | CLONE_NEWNET) == 0 ? 0 : 1);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

bool EngineLimits::showsPage(const QUrl &address) const
{
    if (sandboxed)
        return true;
    if (address.scheme() == u"about")
        return true;
    if (!address.isLocalFile())
        return false;
    const QString path = QDir::cleanPath(address.toLocalFile());
    return std::any_of(ownPaths.begin(), ownPaths.end(), [&](const QString &own) {
        return !own.isEmpty() && isAtOrBelow(path, own);
    });
}

bool EngineLimits::loadsPiece(const QUrl &address) const
{
    return sandboxed || isLocalScheme(address);
}

bool EngineSandboxPossible()
{
    return ::geteuid() != 0 && userNamespacesWork();
}

QString UnsandboxedEngineNote()
{
    return QStringLiteral("サンドボックスなしで動作中：このプログラムのプレビューだけを表示し、"
                          "ほかは既定のブラウザで開きます。");
}

QString HandedOverText(const QUrl &address)
{
    return QStringLiteral("%1 はサンドボックスなしでは表示せず、既定のブラウザで開きました。")
        .arg(address.toDisplayString());
}
