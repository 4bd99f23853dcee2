#include "cli/importcommand.h"

#include "cli/cliuserinterface.h"
#include "cli/projectarguments.h"
#include "core/project/findfeed.h"
#include "core/project/project.h"
#include "core/project/projectloading.h"

#include <algorithm>

namespace {

struct Arguments
{
    QString projectPath;
    QString sourcePath;
    std::optional<QString> under;
};

std::optional<Arguments> parseArguments(QStringList args)
{
    Arguments parsed;
    const qsizetype option = args.indexOf(QStringLiteral("--under"));
    if (option >= 0) {
        if (option + 1 >= args.size())
            return std::nullopt;
        parsed.under = args.at(option + 1);
        args.remove(option, 2);
    }
    if (args.size() != 2)
        return std::nullopt;
    parsed.projectPath = args.at(0);
    parsed.sourcePath = args.at(1);
    return parsed;
}

} // namespace

int RunImportCommand(CliContext &context, const char *usage, InsertSource insert)
{
    QStringList rest = context.args;
    if (const qsizetype under = rest.indexOf(QStringLiteral("--under")); under >= 0)
        rest.remove(under, std::min<qsizetype>(2, rest.size() - under));
    if (const QString option = FirstOption(rest); !option.isEmpty())
        return context.unknownOption(option, QString::fromUtf8(usage));
    const std::optional<Arguments> args = parseArguments(context.args);
    if (!args)
        return context.usageError(QString::fromUtf8(usage));

    int exitCode = ExitOk;
    std::optional<ProjectContent> content =
        ReadProjectArgument(context, args->projectPath, &exitCode);
    if (!content)
        return exitCode;
    Project project;
    OpenProjectContent(project, std::move(*content), args->projectPath);

    ProjectNode *selected = nullptr;
    if (args->under) {
        selected = FindNodeByPath(project.root(), *args->under);
        if (!selected) {
            context.err << *args->under << ": 項目が見つかりません。" << Qt::endl;
            return ExitNotFound;
        }
    }
    if (!insert(project, context.ui, selected, args->sourcePath))
        return ExitUnreadable;

    return WriteProjectArgument(context, args->projectPath, project.defaults, project.root());
}
