// brisklet-cli save PROJECT.dta OUT.dta: reads a project file and writes it
// again with the project file writer.
#include "command.h"
#include "project/projectwriter.h"
#include "projectarguments.h"

#include <QSaveFile>

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

    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) ||
        !WriteProjectFile(content->defaults, *content->root, out) || !out.commit()) {
        context.err << outPath << ": " << out.errorString() << Qt::endl;
        return ExitFailure;
    }
    return ExitOk;
}

CommandRegistration registration{"save", "save PROJECT.dta OUT.dta", &runSave};

} // namespace
