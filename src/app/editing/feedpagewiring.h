#pragma once

#include "app/project/pageframe.h"
#include "core/editing/feedpagebinding.h"

#include <QObject>

class CommandSet;
class DefaultsPanel;
class FeedPages;
class ItemsPage;
class ProjectNode;
class QWidget;
class UserInterface;
struct Settings;
struct Workspace;

// Binds the feed pages (channel, items, HTML) and the defaults panel to the
// project of the window: the page frame shows and stores them through the
// tabs made here, and the window's upload and Edit commands reach them.
class FeedPageWiring : public QObject
{
    Q_OBJECT

public:
    FeedPageWiring(Workspace &workspace, UserInterface &ui, QObject *parent = nullptr);
    ~FeedPageWiring() override;

    FeedPages &feedPages() const { return *m_feedPages; }
    ItemsPage *itemsPage() const { return m_items; }
    DefaultsPanel *defaultsPanel() const { return m_defaults; }

    // The content of a feed tab (a NodePage); nullptr for a tab made
    // elsewhere.
    QWidget *createTab(PageFrame::Tab tab);

    // Connects the pages to the window's frame and defines the commands
    // that act on them: the upload and the Edit menu.
    void attach(PageFrame &frame, CommandSet &commands);
    // What the tool buttons may do with the pages' live values.
    ToolState toolState() const;

    // The grid's columns, its selection switch and the splitter under it.
    void applySettings(const Settings &settings);
    void rememberSettings(Settings &settings) const;

    static QString itemSplitterKey();

Q_SIGNALS:
    // The first status bar panel may read otherwise.
    void statusChanged();
    // The enable state of the tool buttons follows the pages.
    void toolStateChanged();

private:
    void itemsEdited();
    void upload();
    void defineEditCommands(CommandSet &commands);

    Workspace &m_workspace;
    FeedPages *m_feedPages;
    ItemsPage *m_items;
    DefaultsPanel *m_defaults;
};
