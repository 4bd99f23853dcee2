// brisklet-cli import-feed PROJECT.dta FILE|URL [--under NODEPATH]: adds an
// RSS or Atom feed, read from a file or fetched from an http or https
// address, to the project as a new feed and saves the project file in place.
#include "cli/importcommand.h"
#include "core/project/feedimport.h"

namespace {

const char Usage[] = "import-feed PROJECT.dta FILE|URL [--under NODEPATH]";

int runImportFeed(CliContext &context)
{
    return RunImportCommand(context, Usage, &InsertFeedFrom);
}

CommandRegistration registration{"import-feed", Usage, &runImportFeed};

} // namespace
