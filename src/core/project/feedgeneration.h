#pragma once

#include <QString>

class Project;
class UserInterface;
struct OutputWriters;

// Writes every feed's RSS file and, when its page is on, its HTML page. A
// feed without a file name or a local folder is left out. A file that cannot
// be written keeps its old content. Feeds are generated on several threads;
// the template messages of the pages reach the user interface afterwards, in
// tree order, on the calling thread. Returns the report of the feeds'
// problems in tree order: per problem a line break, "[" + feed name + "] "
// and the text; empty when there were none.
QString GenerateFeeds(const Project &project, const OutputWriters &writers, UserInterface &ui);
