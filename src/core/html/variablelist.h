#pragma once

#include <QStringList>

// The lines of the variable list on the HTML tab. Each line holds three
// TAB-separated fields: the description shown in the list, the text that is
// inserted into the template, and a note on the attributes it takes.
QStringList HtmlVariableListLines();
