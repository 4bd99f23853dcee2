#include "cli/command.h"

#include <cstdio>

namespace {
QList<Command> &registry()
{
    static QList<Command> commands;
    return commands;
}
} // namespace

CommandRegistration::CommandRegistration(const char *name, const char *usage, CommandFunction run)
{
    registry().append(Command{QString::fromUtf8(name), QString::fromUtf8(usage), run});
}

const QList<Command> &registeredCommands()
{
    return registry();
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : registry()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

QString FirstOption(const QStringList &args)
{
    for (const QString &arg : args) {
        if (arg.startsWith(QStringLiteral("--")))
            return arg;
    }
    return {};
}

void CliContext::writeOut(const QByteArray &bytes) const
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

int CliContext::usageError(const QString &usage) const
{
    err << "usage: brisklet-cli " << usage << Qt::endl;
    return ExitUsage;
}

int CliContext::unknownOption(const QString &option, const QString &usage) const
{
    err << "unknown option: " << option << Qt::endl;
    return usageError(usage);
}
