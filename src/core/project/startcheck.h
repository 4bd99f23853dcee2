#pragma once

#include <QString>

class ProjectLock;
class UserInterface;

enum class StartChoice
{
    Continue,
    Quit
};

// Run before the main window exists: when the settings ask for the last
// project to be opened and another user holds it, asks whether to start
// with a new project instead. Yes forgets the last project in the settings
// file at once; No quits.
StartChoice CheckLastProjectAtStart(const QString &settingsPath, ProjectLock &lock,
                                    UserInterface &ui);
