#pragma once

class Project;
class ProjectNode;

// The window's commands whose availability follows the project. The window
// asks when a menu opens and again when a command runs, since a shortcut
// does not open the menu.
enum class Command
{
    NewProject,
    OpenProject,
    SaveProject,     // the menu item: a project with a file, or one never saved with changes
    SaveProjectTool, // the tool button: while the project is modified
    SaveProjectAs,
    InsertProject,
    ExportNode,
    InsertTable,
    Upload,
    AddFeed,
    AddFolder,
    CopyFeed,
    RenameNode,
    DeleteNode,
    DropNode,
    ResetChangedMarks,
};

bool IsCommandEnabled(Command command, const Project &project, const ProjectNode *current);

// A feed that has somewhere to go: an FTP template or an upload path.
bool CanUpload(const ProjectNode *node);
