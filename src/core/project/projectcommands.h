#pragma once

#include <QString>

class ProjectNode;
struct Workspace;

// The commands that replace or end the open project. Each one asks before
// throwing unsaved changes away and returns false when the user says No.
// The caller stores the pages into the model first.

// Opens a project file chosen by the user in place of the open project.
bool OpenProject(Workspace &workspace);
// Opens the project file: it must exist, be free of other users' locks and
// be readable; only then is its lock taken and the open project replaced.
// Otherwise the user is told why and the open project stays as it was.
bool OpenProjectFile(Workspace &workspace, const QString &path);
// Opens a project file named from outside the dialog (the command line, a
// later start, the recent projects): asks about unsaved changes as Open
// does, then opens it with the busy cursor.
bool OpenNamedProject(Workspace &workspace, const QString &path);
// Opens an entry of the recent projects. A file that is gone is told and
// leaves the list; nothing else changes then.
bool OpenRecentProject(Workspace &workspace, const QString &path);
QString RecentProjectMissingMessage(const QString &path);
// The project file was opened or saved: it heads the recent projects, and
// the workspace's projectFileUsed hears of it.
void ProjectFileUsed(Workspace &workspace, const QString &path);
// Adds the nodes of a project file chosen by the user below the selected
// node (beside it when it is a feed); no lock is involved and nothing is
// asked about unsaved changes. Returns the node that received them, or
// none when nothing was inserted.
ProjectNode *InsertProject(Workspace &workspace, ProjectNode *selected);
// Starts a new project and gives up the lock of the previous one.
bool NewProject(Workspace &workspace);
// Told when the window is closed while an upload runs.
QString UploadRunningMessage();
// Refused with UploadRunningMessage while an upload runs. Otherwise gives
// up the lock and writes the settings; the caller has put the
// selected node's position and the address history into the settings.
bool CloseProject(Workspace &workspace);
