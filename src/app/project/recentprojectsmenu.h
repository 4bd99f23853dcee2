#pragma once

#include <QObject>

class CommandSet;
class PageFrame;
class QMenu;
struct Workspace;

// The submenu "最近使ったプロジェクト" of the ファイル menu: the recent
// projects of the settings file, newest first and numbered. Choosing one
// opens it as "開く" would; a file that is gone is told and leaves the list.
// The submenu is disabled while the list is empty or no project may be
// opened.
class RecentProjectsMenu : public QObject
{
    Q_OBJECT

public:
    // The pages are stored before a project is opened.
    RecentProjectsMenu(QMenu &fileMenu, QMenu &recentMenu, Workspace &workspace,
                       CommandSet &commands, PageFrame &pages);

private:
    void fill();

    QMenu &m_menu;
    Workspace &m_workspace;
    PageFrame &m_pages;
};
