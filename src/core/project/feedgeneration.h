#pragma once

#include <QString>

class Project;
struct OutputWriters;

// Writes every feed's RSS file and, when its page is on, its HTML page, in
// tree order. A feed without a file name or a local folder is left out. A
// file that cannot be written keeps its old content. Returns the report of
// the feeds' problems: per problem a line break, "[" + feed name + "] " and
// the text; empty when there were none.
QString GenerateFeeds(const Project &project, const OutputWriters &writers);
