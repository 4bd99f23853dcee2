#pragma once

#include <QHash>
#include <QMainWindow>
#include <memory>
#include <optional>

class CommandSet;
class ContentToolBarWiring;
class FeedPageWiring;
class PageFrame;
class PreviewWiring;
class Project;
class ProjectNode;
class ProjectTreeModel;
class ProjectTreeView;
class QLabel;
class QMenu;
class QSplitter;
class QtKeychainKeyring;
class QtUserInterface;
class RecoveryKeeper;
struct ProjectSnapshot;
struct Folders;
struct Workspace;

// The main window: the menu on its tool bar, the project tree on the left,
// the pages of the selected node on the right and a status bar of two
// panels (the page's position and the current hint).
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The folders decide where settings, projects and templates live.
    explicit MainWindow(const Folders &folders, QWidget *parent = nullptr);
    ~MainWindow() override;

    Project &project() const;
    Workspace &workspace() const { return *m_workspace; }
    CommandSet &commands() const { return *m_commands; }
    PageFrame &pages() const { return *m_pages; }
    FeedPageWiring &feedPages() const { return *m_feedPages; }
    ProjectTreeView *treeView() const { return m_tree; }

    // The first showing: reads the settings, restores the control sizes and
    // opens the given project file, else the last project when they ask for
    // it.
    void restoreLastSession(const QString &projectFile = {});
    // Brings the window (or its open dialog) to the front for a later start.
    void activateFromOutside();
    // A later start names a project file: the window comes to the front and
    // opens it as "開く" would, once no dialog or long work is under way.
    void openFromOutside(const QString &path);
    // Makes the node current in the tree and on the pages.
    void selectNode(const ProjectNode *node);
    RecoveryKeeper &recovery() const { return *m_recovery; }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildBars();
    void defineFileCommands();
    void defineTreeCommands();
    void defineSwitchCommands();
    void showCurrentNode(ProjectNode *node);
    void addNode(ProjectNode *added, bool feed);
    void deleteCurrentNode();
    void dropNode(ProjectNode *dragged, ProjectNode *target, bool shift);
    void updateTitle();
    void updateStatus();
    void rememberControlSizes();
    void showHint(const QString &hint);
    void openFilesFromOutside();
    void keepRecoveryCopies();
    std::optional<ProjectSnapshot> recoverySnapshot() const;

    std::unique_ptr<QtUserInterface> m_ui;
    std::unique_ptr<QtKeychainKeyring> m_keyring;
    std::unique_ptr<Workspace> m_workspace;
    CommandSet *m_commands;
    ProjectTreeModel *m_treeModel;
    ProjectTreeView *m_tree;
    FeedPageWiring *m_feedPages;
    PageFrame *m_pages;
    QSplitter *m_splitter;
    QMenu *m_treePopup = nullptr;
    QHash<QString, QMenu *> m_menus;
    PreviewWiring *m_preview;
    QLabel *m_statusPage;
    QLabel *m_statusHint;
    ContentToolBarWiring *m_contentToolBar;
    RecoveryKeeper *m_recovery;
    // Tb_New waits for the first change when no project was reopened.
    bool m_newButtonEnabled = true;
    // Project files named by later starts, waiting for the window to be free.
    QStringList m_filesFromOutside;
};
