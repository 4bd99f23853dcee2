#pragma once

#include <QString>
#include <QStringList>

// Where the program finds its parts, relative to itself and never at a path
// fixed when it was built: installed, in the layout of the install prefix
// (the module in lib/brisklet, the data in share/brisklet); in a build
// folder, beside the program.

// The folders that may hold the web engine module, the first one first.
QStringList ModuleFolders();
// The data file ("guide/index.html") where it is, or an empty text.
QString DataFilePath(const QString &relative);
