#pragma once

#include "app/preview/feedpreviews.h"
#include "app/preview/tbrowseform.h"

#include <QObject>

class SourceViewPage;
class TEditorForm;
struct ChannelSettings;

// Ties the previews, the source view and the feed check to the main window:
// the commands of the 機能 and ヘルプ menus and their tool buttons, CB_View
// and the " 確認 " tab, SB_Paste, F1, and the preview's address history and
// the feed check service kept in the settings file. The preview window and
// its web engine are made on the first preview only.
class PreviewWiring : public QObject
{
    Q_OBJECT

public:
    explicit PreviewWiring(TEditorForm &window);

    // Tests put a fake browser here before the first preview.
    void setBrowserFactory(const TBrowseForm::BrowserFactory &factory) { m_makeBrowser = factory; }
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
    // Stores the pages into the current feed, leaving the grid's line mode
    // first, and returns what the commands work on.
    FeedPreviews::Selection selection();
    const ChannelSettings *currentSettings() const;
    // The rules read the page fields as typed: the node is stale meanwhile.
    QString typedField(const QString &name, const QString &stored) const;
    bool feedCheckPossible() const;
    bool htmlPageOn() const;
    void showSource();
    void updateFunctionMenu();

    TEditorForm &m_window;
    SourceViewPage *m_sourcePage;
    FeedPreviews *m_previews = nullptr;
    TBrowseForm::BrowserFactory m_makeBrowser;
    QString m_feedCheckService;
};
