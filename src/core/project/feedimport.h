#pragma once

#include <QByteArray>
#include <QString>

class Project;
class ProjectNode;
class UserInterface;
struct FeedImportReport;

// Adds a feed document (RSS or Atom, see import/feedreader.h) to the project
// as a new feed named after its title, placed like a table import, and
// sets modified. source is the file or the address it came from: it names
// the feed's output file, and an address becomes the feed's RSS address.
// A document that cannot be taken is told with its line and leaves the
// project as it was; otherwise what was left out is told. Returns the new
// feed, or nullptr.
ProjectNode *InsertFeedDocument(Project &project, UserInterface &ui, ProjectNode *selected,
                                const QByteArray &document, const QString &source);

// Reads the file, or fetches the http or https address, and inserts it.
ProjectNode *InsertFeedFrom(Project &project, UserInterface &ui, ProjectNode *selected,
                            const QString &fileOrAddress);

// The lines that tell what an import left out; empty when nothing was.
QString FeedImportReportText(const FeedImportReport &report);
