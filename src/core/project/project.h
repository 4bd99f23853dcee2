#pragma once

#include "core/model/channelsettings.h"
#include "core/model/projectnode.h"

#include <QObject>
#include <memory>
#include <vector>

// The one open document: the tree of folders and feeds, the project
// defaults, the file it belongs to and whether it differs from that file.
class Project : public QObject
{
    Q_OBJECT

public:
    static QString defaultRootName() { return QStringLiteral("プロジェクト"); }
    static QString programName() { return QStringLiteral("Brisklet"); }

    explicit Project(QObject *parent = nullptr);
    ~Project() override;

    ProjectNode &root() const { return *m_root; }

    ProjectDefaults defaults;

    QString fileName() const { return m_fileName; }
    void setFileName(const QString &fileName);
    // The file name without folder and extension; empty without a file.
    QString projectName() const;
    // " [name] - Brisklet" with a file, "Brisklet" without.
    QString caption() const;
    // The root shows the project name once the project has a file.
    void updateRootName();

    bool isModified() const { return m_modified; }
    // Every edit sets it, so edited() tells each one, not only the first.
    void setModified(bool modified);

    ProjectNode *currentNode() const { return m_currentNode; }
    void setCurrentNode(ProjectNode *node);
    // The current node's feed data, when the current node is a feed.
    FeedData *currentItemList() const;

    // Turning the mark on only works on a feed that can be uploaded (it has
    // an FTP template or an upload path).
    void setChanged(ProjectNode &feed, bool changed);
    // Clears the marks of every feed at and below the node.
    void resetChangedMarks(ProjectNode &node);

    // Starts a new project: defaults, one root "プロジェクト", no file.
    void reset();
    // Replaces the whole tree (opening a file). The new root's children
    // become the project's top-level nodes.
    void replaceTree(std::unique_ptr<ProjectNode> newRoot);
    // Appends the nodes, in order, as the last children of parent (a node of
    // this project's tree).
    void appendNodes(ProjectNode &parent, std::vector<std::unique_ptr<ProjectNode>> nodes);
    // Puts the node at row of parent and returns it.
    ProjectNode *insertNode(ProjectNode &parent, int row, std::unique_ptr<ProjectNode> node);
    // Removes the node with everything below it. When the current node is
    // among them, the project has no current node afterwards, so that no
    // page is ever stored into a removed node.
    void removeNode(ProjectNode &node);
    // Moves the node to row of newParent, row counted as if the node had
    // already left its old place. Moving a node into its own subtree or the
    // root anywhere is refused (false).
    bool moveNode(ProjectNode &node, ProjectNode &newParent, int row);
    // Gives the node a new text; false when it already had that text.
    bool renameNode(ProjectNode &node, const QString &text);

    // The feed an upload is sending, or none. While it runs the window keeps
    // processing events, so whatever could free a node is refused meanwhile.
    ProjectNode *uploadingNode() const { return m_uploadingNode; }
    bool isUploadActive() const { return m_uploadingNode != nullptr; }
    void setUploadingNode(ProjectNode *feed);

Q_SIGNALS:
    void modifiedChanged(bool modified);
    // A save gave items of the feeds identifiers they keep from then on.
    void itemGuidsAssigned();
    void edited();
    void changedMarkChanged(ProjectNode *feed);
    void captionChanged();
    void treeAboutToBeReplaced();
    void treeReplaced();
    // Rows first to last of parent are about to appear / have appeared.
    void nodesAboutToBeInserted(ProjectNode *parent, int first, int last);
    void nodesInserted();
    void nodeAboutToBeRemoved(ProjectNode *node);
    void nodeRemoved();
    // The node leaves row of its parent for the place newParent/row, row
    // counted before the node has left (as item models count it).
    void nodeAboutToBeMoved(ProjectNode *node, ProjectNode *newParent, int destinationRow);
    void nodeMoved();
    void uploadingNodeChanged(ProjectNode *feed);
    void currentNodeChanged(ProjectNode *node);
    void nodeTextChanged(ProjectNode *node);

private:
    std::unique_ptr<ProjectNode> m_root;
    QString m_fileName;
    bool m_modified = false;
    ProjectNode *m_currentNode = nullptr;
    ProjectNode *m_uploadingNode = nullptr;
};
