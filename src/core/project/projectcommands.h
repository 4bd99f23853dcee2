#pragma once

struct Workspace;

// The commands that replace or end the open project. Each one asks before
// throwing unsaved changes away and returns false when the user says No.
// The caller stores the pages into the model first.

// Starts a new project and gives up the lock of the previous one.
bool NewProject(Workspace &workspace);
// Gives up the lock and writes the settings; the caller has put the
// selected node's position and the address history into the settings.
bool CloseProject(Workspace &workspace);
