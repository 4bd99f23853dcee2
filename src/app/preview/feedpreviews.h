#pragma once

#include "app/preview/previewwindow.h"
#include "core/preview/previewcommands.h"
#include "core/preview/previewcontent.h"
#include "core/preview/previewtestfolder.h"

#include <QObject>

class SourceViewPage;
class UserInterface;

// The previews, the source view and the feed check of the selected feed,
// tied to the preview window (made on first use only) and the " 確認 " tab.
class FeedPreviews : public QObject
{
    Q_OBJECT

public:
    // What the commands work on: the selected feed (null when none) with
    // the page values already stored into it.
    struct Selection
    {
        const FeedData *feed = nullptr;
        QString projectFile;
        QString dataFolder;
    };

    FeedPreviews(UserInterface &ui, SourceViewPage &sourcePage,
                 const PreviewWindow::BrowserFactory &makeBrowser, const QStringList &history,
                 QObject *parent = nullptr);

    void rssPreview(const Selection &selection);
    void htmlPreview(const Selection &selection);
    // CB_View changed or the tab was opened.
    void showSource(const Selection &selection, SourceView view);
    // Checks the feed's RSS text, lists the findings in the tab, and offers
    // the external service when it is set and the feed has an http(s)
    // address.
    void feedAnalysis(const Selection &selection, const QString &service);
    // OpenPreview: any address in the preview window.
    void openAddress(const QString &address, bool noCache);
    // A file of the program (its README) that the engine may show like the
    // test files, even without its sandbox.
    void addOwnFile(const QString &path)
    {
        if (!m_ownFiles.contains(path))
            m_ownFiles.append(path);
    }

    // The window; null until something was previewed.
    PreviewWindow *form() const { return m_form; }
    // The address history to save: the window's, or the one loaded.
    QStringList history() const;
    QString testFolderPath() const { return m_testFolder.path(); }
    void setClock(const Clock &clock) { m_clock = clock; }

Q_SIGNALS:
    // SB_Paste of the window: the address for the main window's focused
    // control.
    void pasteRequested(const QString &address);

private:
    PreviewWindow &ensureForm();
    PreviewContext contextOf(const Selection &selection);
    // The source view shows the text; the window opens the test file.
    void showOutcome(SourceView view, const PreviewOutcome &outcome);

    UserInterface &m_ui;
    SourceViewPage &m_sourcePage;
    PreviewWindow::BrowserFactory m_makeBrowser;
    QStringList m_loadedHistory;
    PreviewWindow *m_form = nullptr;
    PreviewTestFolder m_testFolder;
    QStringList m_ownFiles;
    Clock m_clock;
};
