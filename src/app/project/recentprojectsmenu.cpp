#include "app/project/recentprojectsmenu.h"

#include "app/commandset.h"
#include "app/editorform.h"
#include "app/hints.h"

#include "app/project/pageframe.h"
#include "core/project/projectcommands.h"
#include "core/project/workspace.h"

#include <QDir>
#include <QMenu>

RecentProjectsMenu::RecentProjectsMenu(TEditorForm &window)
    : QObject(&window), m_window(window),
      m_menu(window.findChild<QMenu *>(QStringLiteral("Mn_Recent")))
{
    SetHint(m_menu->menuAction(), QStringLiteral("最近使ったプロジェクトを開きます"));
    connect(m_menu, &QMenu::aboutToShow, this, &RecentProjectsMenu::fill);
    auto *fileMenu = window.findChild<QMenu *>(QStringLiteral("File1"));
    connect(fileMenu, &QMenu::aboutToShow, this, [this] {
        m_menu->menuAction()->setEnabled(
            !m_window.workspace().settings.recentProjects.isEmpty() &&
            m_window.commands().isEnabled(QStringLiteral("Mn_DataOpen")));
    });
}

void RecentProjectsMenu::fill()
{
    m_menu->clear();
    const QStringList paths = m_window.workspace().settings.recentProjects;
    for (int i = 0; i < paths.size(); ++i) {
        const QString shown =
            QDir::toNativeSeparators(paths[i]).replace(u'&', QStringLiteral("&&"));
        QAction *entry = m_menu->addAction(u'&' + QString::number(i + 1) + u' ' + shown);
        entry->setObjectName(QStringLiteral("Mn_Recent") + QString::number(i + 1));
        SetHint(entry, paths[i]);
        connect(entry, &QAction::triggered, this, [this, path = paths[i]] {
            m_window.pages().storeCurrentNode();
            OpenRecentProject(m_window.workspace(), path);
        });
    }
}
