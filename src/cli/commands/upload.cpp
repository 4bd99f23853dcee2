// brisklet-cli upload PROJECT.dta FEEDPATH [--yes] [--password-stdin]:
// publishes one feed as the program's upload command does, through the
// feed's FTP template (from the data folder) or into its upload folder.
// Without --yes the question is answered no and nothing is sent. With
// --password-stdin the first line of standard input is the password, in
// place of the template's or the keyring's.
#include "cli/cliuserinterface.h"
#include "cli/command.h"
#include "cli/passwordinput.h"
#include "cli/projectarguments.h"
#include "core/project/findfeed.h"
#include "core/project/project.h"
#include "core/project/projectloading.h"
#include "core/project/standardoutputwriters.h"
#include "core/project/uploadfeed.h"
#include "core/project/workspace.h"

namespace {

const char *const Usage = "upload PROJECT.dta FEEDPATH [--yes] [--password-stdin]";

int runUpload(CliContext &context)
{
    QStringList args = context.args;
    context.ui.assumeYes = args.removeAll(QStringLiteral("--yes")) > 0;
    const bool passwordFromStdin = args.removeAll(QStringLiteral("--password-stdin")) > 0;
    if (const QString option = FirstOption(args); !option.isEmpty())
        return context.unknownOption(option, QString::fromUtf8(Usage));
    if (args.size() != 2)
        return context.usageError(QString::fromUtf8(Usage));
    const QString &projectPath = args.at(0);
    const QString &feedPath = args.at(1);

    std::optional<QString> password;
    if (passwordFromStdin && !(password = ReadPasswordFromStdin())) {
        context.err << QStringLiteral("標準入力からパスワードを読み込めませんでした。") << Qt::endl;
        return ExitUnreadable;
    }

    int exitCode = ExitOk;
    std::optional<ProjectContent> content = ReadProjectArgument(context, projectPath, &exitCode);
    if (!content || !FindFeedArgument(context, *content, feedPath, &exitCode))
        return exitCode;
    Project project;
    OpenProjectContent(project, std::move(*content), projectPath);
    project.setCurrentNode(FindFeedByPath(project.root(), feedPath));

    Workspace workspace(project, context.ui, Folders::locate(context.dataDir),
                        StandardOutputWriters(context.clock));
    workspace.ftpPassword = password;
    return UploadFeed(workspace) == UploadOutcome::Uploaded ? ExitOk : ExitFailure;
}

CommandRegistration registration{"upload", Usage, &runUpload};

} // namespace
