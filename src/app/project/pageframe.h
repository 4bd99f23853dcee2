#pragma once

#include "core/model/feeddata.h"

#include <QStackedWidget>
#include <array>
#include <optional>

class NodePage;
class Project;
class ProjectNode;
class QTabWidget;

// The right-hand side of the main window. The project and its folders show
// the project page (the defaults panel with the memo "Editor"); a feed shows
// PageControl_Sub with its four tabs. The window makes the contents of the
// tabs and the defaults panel; a content that implements NodePage is bound
// to the current node.
class PageFrame : public QStackedWidget
{
    Q_OBJECT

public:
    enum Tab
    {
        ChannelTab,
        ItemTab,
        HtmlTab,
        ViewTab,
        TabCount
    };

    struct Contents
    {
        std::array<QWidget *, TabCount> tabs;
        QWidget *defaults;
    };

    PageFrame(Project &project, const Contents &contents, QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }
    QWidget *tabContent(Tab tab) const { return m_contents[size_t(tab)]; }
    QWidget *defaultsPanel() const { return m_defaults; }

    // Makes node current: the pages are stored into the node being left,
    // then show the new one (the project page for the root and folders).
    void switchNode(ProjectNode *node);
    // Writes the pages into the current node (before save, open, close...).
    void storeCurrentNode();
    // What the pages show for the current feed, the node and the pages left
    // as they are; nothing when no feed is current.
    std::optional<FeedData> peekCurrentNode() const;
    // Puts every page to the project defaults (new project, new feed).
    void resetPages();
    // The first status bar panel: the active tab's status or caption for a
    // feed, "プロジェクト" otherwise.
    QString statusText() const;

Q_SIGNALS:
    void statusChanged();
    // The pages show the node made current.
    void nodeShown();

private:
    template <typename Visit> void forEachPage(Visit visit) const;

    Project &m_project;
    QWidget *m_projectPage;
    QWidget *m_defaults;
    QTabWidget *m_tabs;
    std::array<QWidget *, TabCount> m_contents{};
};
