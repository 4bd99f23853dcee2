#include "app/project/recentprojectsmenu.h"

#include "app/common/commandids.h"
#include "app/common/commandset.h"
#include "app/common/hints.h"

#include "app/project/pageframe.h"
#include "core/project/projectcommands.h"
#include "core/project/workspace.h"

#include <QDir>
#include <QMenu>

RecentProjectsMenu::RecentProjectsMenu(QMenu &fileMenu, QMenu &recentMenu, Workspace &workspace,
                                       CommandSet &commands, PageFrame &pages)
    : QObject(&recentMenu), m_menu(recentMenu), m_workspace(workspace), m_pages(pages)
{
    SetHint(m_menu.menuAction(), QStringLiteral("最近使ったプロジェクトを開きます"));
    connect(&m_menu, &QMenu::aboutToShow, this, &RecentProjectsMenu::fill);
    connect(&fileMenu, &QMenu::aboutToShow, this, [this, &commands] {
        m_menu.menuAction()->setEnabled(!m_workspace.settings.recentProjects.isEmpty() &&
                                        commands.isEnabled(CommandId::fileOpen));
    });
}

void RecentProjectsMenu::fill()
{
    m_menu.clear();
    const QStringList paths = m_workspace.settings.recentProjects;
    for (int i = 0; i < paths.size(); ++i) {
        const QString shown =
            QDir::toNativeSeparators(paths[i]).replace(u'&', QStringLiteral("&&"));
        QAction *entry = m_menu.addAction(u'&' + QString::number(i + 1) + u' ' + shown);
        entry->setObjectName(QStringLiteral("Mn_Recent") + QString::number(i + 1));
        SetHint(entry, paths[i]);
        connect(entry, &QAction::triggered, this, [this, path = paths[i]] {
            m_pages.storeCurrentNode();
            OpenRecentProject(m_workspace, path);
        });
    }
}
