#pragma once

#include "app/preview/feedpreviews.h"
#include "app/preview/previewwindow.h"

#include <QObject>

class CommandSet;
class FeedPageWiring;
class PageFrame;
class QMenu;
class SourceViewPage;
struct ChannelSettings;
struct Workspace;

// Ties the previews, the source view and the feed check to the main window:
// the commands of the 機能 and ヘルプ menus and their tool buttons, CB_View
// and the " 確認 " tab, SB_Paste, F1, and the preview's address history and
// the feed check service kept in the settings file. The preview window and
// its web engine are made on the first preview only.
class PreviewWiring : public QObject
{
    Q_OBJECT

public:
    // The window takes F1 and holds the focused control; the pages hold the
    // source view and say what the commands may do; the 機能 menu shows the
    // preview entries as their buttons allow.
    PreviewWiring(QWidget &window, Workspace &workspace, CommandSet &commands, PageFrame &pages,
                  FeedPageWiring &feedPages, QMenu &functionMenu);

    // Tests put a fake browser here before the first preview.
    void setBrowserFactory(const PreviewWindow::BrowserFactory &factory)
    {
        m_makeBrowser = factory;
    }
    // Null until something needed the previews.
    FeedPreviews *previewsIfMade() const { return m_previews; }

    // The main window closes: a preview window on the screen is closed
    // first and the address history goes into the settings.
    void windowClosing();
    // The settings were written: the feed check service is kept beside them.
    void settingsWritten();

private:
    void defineCommands();
    void defineHelpCommands();
    FeedPreviews &previews();
    // Leaves the grid's line mode and returns what the commands work on:
    // the pages are stored by then.
    FeedPreviews::Selection selection();
    void showSource();
    void updateFunctionMenu();

    QWidget &m_window;
    Workspace &m_workspace;
    CommandSet &m_commands;
    PageFrame &m_pages;
    FeedPageWiring &m_feedPages;
    SourceViewPage *m_sourcePage;
    FeedPreviews *m_previews = nullptr;
    PreviewWindow::BrowserFactory m_makeBrowser;
    QString m_feedCheckService;
};
