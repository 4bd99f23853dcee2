#pragma once

#include <QObject>

class ContentToolBar;
class FeedPageWiring;
class PageFrame;
class QLabel;
class QWidget;
class TextEditor;
struct Workspace;

// Puts "ToolBar_Content" into the window: right above the item body on the
// items tab and above the template on the HTML tab, acting on that editor.
// It offers the current feed's addresses to the link and image dialog, and
// its escape lock, kept in the settings (Environ/EscapeRock), is followed
// while typing in the project memo, the item body and the template, in the
// markup the feed's page is written in.
class ContentToolBarWiring : public QObject
{
    Q_OBJECT

public:
    // The window holds the editors; the pages say where the toolbar goes,
    // the feed pages the markup chosen.
    ContentToolBarWiring(QWidget &window, Workspace &workspace, PageFrame &pages,
                         FeedPageWiring &feedPages, QObject *parent = nullptr);

    ContentToolBar *toolBar() const { return m_toolBar; }
    // Takes the escape lock from the settings just read.
    void readSettings();
    // Gives the editors found now the escape lock and the feed's markup.
    void adoptEditors();

private:
    // Moves the toolbar onto the active tab when it holds a content editor.
    void place();
    QWidget *holderOf(TextEditor *editor);

    QWidget &m_window;
    Workspace &m_workspace;
    PageFrame &m_pages;
    FeedPageWiring &m_feedPages;
    ContentToolBar *m_toolBar;
    QWidget *m_panel;
    QLabel *m_label;
};
