#pragma once

#include <QObject>

class QMenu;
class TEditorForm;

// The submenu "最近使ったプロジェクト" of the ファイル menu: the recent
// projects of the settings file, newest first and numbered. Choosing one
// opens it as "開く" would; a file that is gone is told and leaves the list.
// The submenu is disabled while the list is empty or no project may be
// opened.
class RecentProjectsMenu : public QObject
{
    Q_OBJECT

public:
    explicit RecentProjectsMenu(TEditorForm &window);

private:
    void fill();

    TEditorForm &m_window;
    QMenu *m_menu;
};
