#pragma once

#include <QString>
#include <QStringList>

class IniFile;

// The project files opened or saved last, newest first, kept in the section
// Recent of the settings file for the ファイル menu.
namespace RecentProjects {

constexpr int Max = 8;

// Puts the path first; an entry for the same file moves up instead of
// appearing twice, and the oldest falls off past Max.
void remember(QStringList &list, const QString &path);
void forget(QStringList &list, const QString &path);

QStringList read(const IniFile &ini);
// Rewrites the section from scratch; an empty list removes it.
void write(IniFile &ini, const QStringList &list);

} // namespace RecentProjects
