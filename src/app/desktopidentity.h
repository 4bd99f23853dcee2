#pragma once

class QString;

// How the desktop knows the program: the name of its desktop entry, its
// icon, and its entries in the desktop's list of recently used files.

// Names the desktop entry and sets the windows' icon.
void ApplyDesktopIdentity();
// Lists the project file among the desktop's recently used files, where
// file choosers and the desktop's own menus show it.
void RememberInDesktopRecentFiles(const QString &path);
