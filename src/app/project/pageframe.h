#pragma once

#include <QStackedWidget>
#include <array>

class NodePage;
class Project;
class ProjectNode;
class QTabWidget;
class TEditor;

// The right-hand side of the main window. The project and its folders show
// the project page (the memo "Editor" and the defaults panel); a feed shows
// PageControl_Sub with its four tabs. The contents of the tabs and the
// defaults panel are made in feedtabs.cpp.
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

    explicit PageFrame(Project &project, QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }
    TEditor *memo() const { return m_memo; }
    QWidget *tabContent(Tab tab) const { return m_contents[size_t(tab)]; }
    QWidget *defaultsPanel() const { return m_defaults; }

    // Makes node current: the pages are stored into the node being left,
    // then show the new one (the project page for the root and folders).
    void switchNode(ProjectNode *node);
    // Writes the pages into the current node (before save, open, close...).
    void storeCurrentNode();
    // Puts every page to the project defaults (new project, new feed).
    void resetPages();
    // The first status bar panel: the active tab's status or caption for a
    // feed, "プロジェクト" otherwise.
    QString statusText() const;

Q_SIGNALS:
    void statusChanged();

private:
    template <typename Visit> void forEachPage(Visit visit) const;
    void showMemo();

    Project &m_project;
    QWidget *m_projectPage;
    TEditor *m_memo;
    QWidget *m_defaults;
    QTabWidget *m_tabs;
    std::array<QWidget *, TabCount> m_contents{};
    bool m_fillingMemo = false;
};
