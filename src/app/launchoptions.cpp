#include "app/launchoptions.h"

#include <QDir>
#include <QTextStream>
#include <QUrl>

std::optional<int> AnswerInformationOptions(int argc, char *argv[])
{
    QTextStream out(stdout);
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--version" || arg == "-v") {
            out << "brisklet " << BRISKLET_VERSION << Qt::endl;
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            out << "usage: brisklet [--version] [--help] [PROJECT.dta]\n"
                   "  Opens the project file, or the last project when none is named.\n"
                   "  A Brisklet already running opens the file in its window instead."
                << Qt::endl;
            return 0;
        }
    }
    return std::nullopt;
}

QString ProjectFileArgument(const QStringList &arguments)
{
    for (const QString &arg : arguments.mid(1)) {
        if (arg.startsWith(u'-'))
            continue;
        const QUrl address(arg);
        const QString path = address.isLocalFile() ? address.toLocalFile() : arg;
        return QDir::cleanPath(QDir::current().absoluteFilePath(path));
    }
    return {};
}
