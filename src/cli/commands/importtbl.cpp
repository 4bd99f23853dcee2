// brisklet-cli import-tbl PROJECT.dta TABLE.tbl [--under NODEPATH]: adds a
// table file of the light edition to the project as a new feed and saves
// the project file in place.
#include "cli/importcommand.h"
#include "core/project/tableimport.h"

namespace {

const char Usage[] = "import-tbl PROJECT.dta TABLE.tbl [--under NODEPATH]";

int runImportTable(CliContext &context)
{
    return RunImportCommand(context, Usage, &InsertTableFile);
}

CommandRegistration registration{"import-tbl", Usage, &runImportTable};

} // namespace
