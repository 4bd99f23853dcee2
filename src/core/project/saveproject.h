#pragma once

class ProjectNode;
struct Workspace;

enum class SaveOutcome
{
    Saved,
    Cancelled,
    Failed
};

// Saves the project and generates every feed; the caller has stored the
// pages into the model first.
//   saveAs: ask for the file (also done when the project has none yet).
//   exportOnly: write the selected node (all nodes when it is the root,
//   none when nothing is selected) as a project file of its own; the open
//   project, its file name, lock and modified flag stay as they are, and
//   nothing is generated.
// Problems of single feeds are shown in one report at the end.
SaveOutcome SaveProject(Workspace &workspace, bool saveAs, bool exportOnly,
                        const ProjectNode *selected);
