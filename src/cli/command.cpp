#include "command.h"

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
