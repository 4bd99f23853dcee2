#pragma once

#include <QDateTime>
#include <QString>

// The desktop's list of recently used files, recently-used.xbel in the
// user's data folder, which GTK and KDE programs and their file choosers
// share.
struct RecentFileUse
{
    QString path;     // the file that was used
    QString mimeType; // its type, as the desktop's type database names it
    QString appName;  // the program that used it
    QString appExec;  // how the desktop starts that program on the file
};

// The list's place: recently-used.xbel in the user's data folder.
QString RecentlyUsedFilePath();

// Records that the program used the file now: a bookmark that already names
// the file is stamped again and counts one more use by the program, any
// other bookmark is added. Everything else in the list, the other programs'
// entries included, stays as it was. The file is replaced whole. A list that
// cannot be read as XML is left alone. Returns an error text, empty on
// success.
QString AddRecentlyUsed(const QString &listPath, const RecentFileUse &use, const QDateTime &now);
