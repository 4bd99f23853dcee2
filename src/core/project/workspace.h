#pragma once

#include "core/project/outputwriters.h"
#include "core/project/projectlock.h"
#include "core/settings/folders.h"
#include "core/settings/settings.h"

#include <functional>
#include <optional>

class PasswordKeyring;
class Project;
class RecoveryKeeper;
class UserInterface;

// What the commands on the open project work with: the project, the person
// asked, the folders, the preferences, the project's lock, the writers
// that turn the project into files and, in the window, the keeper of the
// recovery copy.
struct Workspace
{
    Workspace(Project &project, UserInterface &ui, Folders folders, OutputWriters writers)
        : project(project), ui(ui), folders(std::move(folders)), writers(std::move(writers))
    {
    }

    Project &project;
    UserInterface &ui;
    Folders folders;
    Settings settings;
    ProjectLock lock;
    OutputWriters writers;
    // Told each project file that was opened or saved (not exported), after
    // the recent projects have it: the desktop program lists it for the
    // desktop's file choosers too.
    std::function<void(const QString &path)> projectFileUsed;
    RecoveryKeeper *recovery = nullptr;
    // Where templates keep passwords that are not in their files; none
    // where no keyring was brought.
    PasswordKeyring *keyring = nullptr;
    // A password given for this run (the command line reads it from its
    // input), used instead of the template's.
    std::optional<QString> ftpPassword;
};
