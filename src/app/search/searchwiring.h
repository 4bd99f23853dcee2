#pragma once

class CommandSet;
class QString;
class QWidget;
class UserInterface;

// The menu "検索(&S)" of the window: Mn_Find, Mn_FindNext, Mn_FindBack and
// Mn_Replace act on the text editor that has the window's focus. Their
// enabled states are asked when the menu opens and again when a key runs
// them, so Ctrl+R does nothing in the read-only source view.
// settingsPath: the file of the dialogs' options and histories.
void WireSearchCommands(QWidget &window, CommandSet &commands, const QString &settingsPath,
                        UserInterface &ui);
