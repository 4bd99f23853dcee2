#pragma once

#include "core/clock.h"
#include "core/userinterface.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

// Exit codes shared by every command.
enum ExitCode
{
    ExitOk = 0,
    ExitFailure = 1,
    ExitUnreadable = 2, // the project (or another input) could not be read
    ExitNotFound = 3,   // the named feed or node does not exist
    ExitUsage = 64,
};

class CliUserInterface;

struct CliContext
{
    QStringList args; // the command's own arguments, global options removed
    Clock clock;
    QString dataDir;
    CliUserInterface &ui;
    QTextStream &err;

    // Output bytes go to stdout unchanged.
    void writeOut(const QByteArray &bytes) const;
    // Prints "usage: brisklet-cli <usage>" and returns ExitUsage.
    int usageError(const QString &usage) const;
    // Names the option that the command does not know, then the usage.
    int unknownOption(const QString &option, const QString &usage) const;
};

using CommandFunction = int (*)(CliContext &context);

struct Command
{
    QString name;
    QString usage;
    CommandFunction run;
};

// A command file registers itself with a static instance:
//   static CommandRegistration registration{"save", "save PROJECT.dta OUT.dta", &runSave};
struct CommandRegistration
{
    CommandRegistration(const char *name, const char *usage, CommandFunction run);
};

const QList<Command> &registeredCommands();
const Command *findCommand(const QString &name);

// The first argument that is written as an option ("--name"), or an empty
// text when there is none.
QString FirstOption(const QStringList &args);
