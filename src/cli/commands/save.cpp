// brisklet-cli save PROJECT.dta OUT.dta: reads a project file and writes it
// again with the project file writer.
#include "cli/command.h"
#include "cli/projectarguments.h"

namespace {

int runSave(CliContext &context)
{
    if (context.args.size() != 2)
        return context.usageError(QStringLiteral("save PROJECT.dta OUT.dta"));
    const QString &projectPath = context.args.at(0);
    const QString &outPath = context.args.at(1);

    int exitCode = ExitOk;
    const std::optional<ProjectContent> content =
        ReadProjectArgument(context, projectPath, &exitCode);
    if (!content)
        return exitCode;

    return WriteProjectArgument(context, outPath, content->defaults, *content->root);
}

CommandRegistration registration{"save", "save PROJECT.dta OUT.dta", &runSave};

} // namespace
