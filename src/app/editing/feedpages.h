#pragma once

#include "core/editing/feedpagebinding.h"

#include <QObject>
#include <QPointer>

class ChannelPage;
class HtmlTemplatePage;
class Project;
class ProjectNode;
class UserInterface;

// The feed pages of the window bound to the project: the channel tab and
// the HTML tab show the current feed, are stored back into it, and turn the
// user's edits into the modified flag and the feed's changed mark.
class FeedPages : public QObject
{
    Q_OBJECT

public:
    struct FolderPaths
    {
        QString project;      // where the folder choosers start
        QString ftpTemplate;  // the ".ftp" files
        QString htmlTemplate; // the ".dht" files
    };

    FeedPages(Project &project, UserInterface &ui, FolderPaths folders, QObject *parent = nullptr);
    // Deletes the pages unless a window has taken them.
    ~FeedPages() override;

    ChannelPage *channelPage() const;
    HtmlTemplatePage *htmlPage() const;

    // Fills the pages from the node (a feed; other nodes leave the pages as
    // they are) without counting as an edit.
    void showNode(ProjectNode &node);
    // Writes the pages into the node shown; a node without data is skipped.
    void storeNode(ProjectNode &node) const;
    // Puts the pages to the project defaults (a new feed).
    void resetPages();

    // What the pages hold now.
    FeedPageValues liveValues() const;
    // Enables the tool buttons from the live values.
    ToolState toolState() const;

    // Rebuilds the template list after the template folder changed, keeping
    // the feed's choice (listed as missing when it went away).
    void refreshFtpTemplates();
    void refreshPageAddress();

    // The HTML tab's "保存..." and "読込...".
    void saveTemplateFile();
    void loadTemplateFile();

    // An edit of the feed shown: the project is modified and the feed, when
    // the live values let it be uploaded, is marked as changed.
    void contentEdited();

Q_SIGNALS:
    // The window runs UpdateToolState with toolState().
    void toolStateChanged();

private:
    // The feed the pages show while it is the project's current node.
    ProjectNode *shownFeed() const;
    void settingEdited();
    void applyToolState();
    void showValues(const FeedPageValues &values);

    Project &m_project;
    UserInterface &m_ui;
    FolderPaths m_folders;
    QPointer<ChannelPage> m_channel;
    QPointer<HtmlTemplatePage> m_html;
    ProjectNode *m_node = nullptr;
};
