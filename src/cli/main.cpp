#include "cliuserinterface.h"
#include "command.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <algorithm>

namespace {

QString defaultDataDir()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("My RSS Data"));
}

int printUsage(QTextStream &err)
{
    err << "usage: brisklet-cli [--now \"YYYY-MM-DD hh:nn:ss\"] [--data-dir DIR] COMMAND ..."
        << Qt::endl;
    QList<Command> commands = registeredCommands();
    std::sort(commands.begin(), commands.end(),
              [](const Command &a, const Command &b) { return a.name < b.name; });
    for (const Command &command : commands)
        err << "  " << command.usage << Qt::endl;
    return ExitUsage;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);

    Clock clock;
    QString dataDir = defaultDataDir();
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (args.isEmpty())
            return printUsage(err);
        const QString value = args.takeFirst();
        if (option == QStringLiteral("--now")) {
            const QDateTime now =
                QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!now.isValid()) {
                err << "--now: not a time of the form \"YYYY-MM-DD hh:nn:ss\": " << value
                    << Qt::endl;
                return ExitUsage;
            }
            clock = Clock::fixed(now);
        } else if (option == QStringLiteral("--data-dir")) {
            dataDir = value;
        } else {
            return printUsage(err);
        }
    }
    if (args.isEmpty())
        return printUsage(err);

    const QString name = args.takeFirst();
    for (const Command &command : registeredCommands()) {
        if (command.name == name) {
            CliUserInterface ui(err);
            CliContext context{args, clock, dataDir, ui, err};
            return command.run(context);
        }
    }
    err << "unknown command: " << name << Qt::endl;
    return printUsage(err);
}
