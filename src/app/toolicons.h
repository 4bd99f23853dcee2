#pragma once

#include <QIcon>

class QToolBar;

// Gives the tool buttons their icons: the desktop's icon theme's when it
// has one of that name, else the program's own.
void SetToolButtonIcons(QToolBar *toolBar);
// The icon of the desktop's theme of that name, else the program's own.
QIcon ThemedIcon(const QString &name);
