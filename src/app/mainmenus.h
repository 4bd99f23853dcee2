#pragma once

#include <QHash>
#include <QString>

class CommandSet;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// The menus, pop-up menus and tool buttons of the main window, laid out by
// the tables in mainmenus.cpp as lists of command ids. Each command's action
// (its object name, caption, shortcut and hint from ControlsOf) is made once
// and shared by every place that offers the command.

// Fills the menu bar: ファイル, 編集, 検索, プロジェクトツリー, 機能, ヘルプ.
// Returns the menus by their object names, for the features that fill them
// or follow their opening.
QHash<QString, QMenu *> BuildMainMenus(QMenuBar *bar, CommandSet &commands);
// Fills the tool bar with its buttons; the "追加" button opens the menu
// PopupMenu_Add.
void BuildToolButtons(QToolBar *toolBar, CommandSet &commands);
// The pop-up menu of the project tree (PopupMenu_Tree).
QMenu *BuildTreePopupMenu(QWidget *parent, CommandSet &commands);
