#include "cli/cliuserinterface.h"
#include "cli/command.h"
#include "cli/passwordinput.h"
#include "core/publish/ftptemplatecommands.h"
#include "core/publish/ftptemplatefolder.h"
#include "core/settings/folders.h"

#include <QDir>

namespace {

const char *const Usage =
    "ftp-template save NAME --server HOST [--protocol ftp|ftps|sftp] [--port N] [--user U] "
    "[--password P | --password-stdin] [--timeout S] [--passive 0|1] [--client curl|socket] "
    "[--yes] | ftp-template list";

bool readInt(const QString &text, int &value)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (ok)
        value = number;
    return ok;
}

// "curl" or "socket"; the older "--wininet 1|0" says the same.
bool readClient(const QString &text, bool &useCurl)
{
    if (text != QStringLiteral("curl") && text != QStringLiteral("socket"))
        return false;
    useCurl = text == QStringLiteral("curl");
    return true;
}

bool readProtocol(const QString &text, FtpProtocol &protocol)
{
    static const QStringList names{QStringLiteral("ftp"), QStringLiteral("ftps"),
                                   QStringLiteral("sftp")};
    const qsizetype index = names.indexOf(text);
    if (index < 0)
        return false;
    protocol = FtpProtocol(index);
    return true;
}

bool readFlag(const QString &text, bool &flag)
{
    if (text != QStringLiteral("0") && text != QStringLiteral("1"))
        return false;
    flag = text == QStringLiteral("1");
    return true;
}

// Fills the template from "--option value" pairs; false on anything wrong,
// with an unknown option left in *unknown.
bool readOptions(CliContext &context, QStringList args, FtpTemplate &t, QString *unknown)
{
    bool portTyped = false;
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        if (option == QStringLiteral("--yes")) {
            context.ui.assumeYes = true;
            continue;
        }
        if (option == QStringLiteral("--password-stdin")) {
            const std::optional<QString> password = ReadPasswordFromStdin();
            if (!password)
                return false;
            t.password = *password;
            continue;
        }
        if (args.isEmpty())
            return false;
        const QString value = args.takeFirst();
        bool ok = true;
        if (option == QStringLiteral("--server"))
            t.server = value;
        else if (option == QStringLiteral("--user"))
            t.user = value;
        else if (option == QStringLiteral("--password"))
            t.password = value;
        else if (option == QStringLiteral("--protocol"))
            ok = readProtocol(value, t.protocol);
        else if (option == QStringLiteral("--port")) {
            ok = readInt(value, t.port);
            portTyped = true;
        } else if (option == QStringLiteral("--timeout"))
            ok = readInt(value, t.timeout);
        else if (option == QStringLiteral("--passive"))
            ok = readFlag(value, t.passive);
        else if (option == QStringLiteral("--client"))
            ok = readClient(value, t.useCurlClient);
        else if (option == QStringLiteral("--wininet")) // kept for existing scripts
            ok = readFlag(value, t.useCurlClient);
        else {
            *unknown = option;
            return false;
        }
        if (!ok)
            return false;
    }
    // Without --port the protocol's own port.
    if (!portTyped)
        t.port = DefaultFtpPort(t.protocol);
    return true;
}

int save(CliContext &context)
{
    if (context.args.size() < 2)
        return context.usageError(QString::fromUtf8(Usage));
    FtpTemplate t;
    t.name = context.args.at(1);
    QString unknown;
    if (!readOptions(context, context.args.mid(2), t, &unknown) || t.server.isEmpty())
        return unknown.isEmpty() ? context.usageError(QString::fromUtf8(Usage))
                                 : context.unknownOption(unknown, QString::fromUtf8(Usage));

    const QString folder = Folders::locate(context.dataDir).ftpTemplate;
    if (!QDir().mkpath(folder)) {
        context.err << "cannot create the folder " << folder << Qt::endl;
        return ExitFailure;
    }
    // Saved as from the template dialog: the same checks and messages, and
    // an existing template is only replaced with --yes.
    return SaveFtpTemplateAs(context.ui, folder, t, false) ? ExitOk : ExitFailure;
}

int list(CliContext &context)
{
    if (context.args.size() != 1)
        return context.usageError(QString::fromUtf8(Usage));
    QStringList names = FtpTemplateNames(Folders::locate(context.dataDir).ftpTemplate);
    names.sort(Qt::CaseInsensitive);
    for (const QString &name : names)
        context.writeOut(name.toUtf8() + '\n');
    return ExitOk;
}

int runFtpTemplate(CliContext &context)
{
    const QString action = context.args.value(0);
    if (action == QStringLiteral("save"))
        return save(context);
    if (action == QStringLiteral("list"))
        return list(context);
    return context.usageError(QString::fromUtf8(Usage));
}

CommandRegistration registration{"ftp-template", Usage, &runFtpTemplate};

} // namespace
