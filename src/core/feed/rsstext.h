#pragma once

#include <QString>

// The text of one RSS file, lines ended by CR LF, and whether its items all
// have different resource names (always true for RSS 2.0, which does not
// check). The text is complete either way.
struct RssText
{
    QString text;
    bool noDuplicates = true;
};
