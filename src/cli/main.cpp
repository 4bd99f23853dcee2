#include "cli/cliuserinterface.h"
#include "cli/command.h"

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

// The usage of every command, to stdout when asked for, else with an error.
void printUsage(QTextStream &stream)
{
    stream << "usage: brisklet-cli [--now \"YYYY-MM-DD hh:nn:ss\"] [--data-dir DIR] [--help] "
              "[--version] COMMAND ..."
           << Qt::endl;
    QList<Command> commands = registeredCommands();
    std::sort(commands.begin(), commands.end(),
              [](const Command &a, const Command &b) { return a.name < b.name; });
    for (const Command &command : commands)
        stream << "  " << command.usage << Qt::endl;
}

int usageError(QTextStream &err)
{
    printUsage(err);
    return ExitUsage;
}

// "--help" or "-h" anywhere asks for the usage of the command named (the
// first argument that names one), or of every command.
int printHelp(QTextStream &out, const QStringList &args)
{
    for (const QString &arg : args) {
        if (const Command *command = findCommand(arg)) {
            out << "usage: brisklet-cli " << command->usage << Qt::endl;
            return ExitOk;
        }
    }
    printUsage(out);
    return ExitOk;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(BRISKLET_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h")))
        return printHelp(out, args);

    Clock clock;
    QString dataDir = defaultDataDir();
    while (!args.isEmpty() && args.first().startsWith(QLatin1Char('-'))) {
        const QString option = args.takeFirst();
        if (option == QStringLiteral("--version")) {
            out << "brisklet-cli " << QCoreApplication::applicationVersion() << Qt::endl;
            return ExitOk;
        }
        if (option != QStringLiteral("--now") && option != QStringLiteral("--data-dir")) {
            err << "unknown option: " << option << Qt::endl;
            return usageError(err);
        }
        if (args.isEmpty())
            return usageError(err);
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
        } else {
            dataDir = value;
        }
    }
    if (args.isEmpty())
        return usageError(err);

    const QString name = args.takeFirst();
    const Command *command = findCommand(name);
    if (!command) {
        err << "unknown command: " << name << Qt::endl;
        return usageError(err);
    }
    CliUserInterface ui(err);
    CliContext context{args, clock, dataDir, ui, err};
    // A command whose usage shows no option takes none: "--x" is no file name.
    const QString option = FirstOption(args);
    if (!command->usage.contains(QStringLiteral("--")) && !option.isEmpty())
        return context.unknownOption(option, command->usage);
    return command->run(context);
}
