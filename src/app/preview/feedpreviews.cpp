#include "app/preview/feedpreviews.h"

#include "app/preview/sourceviewpage.h"
#include "core/check/checkfeed.h"
#include "core/check/itemcheck.h"
#include "core/feed/feedaddresses.h"
#include "core/preview/feedcheckservice.h"
#include "core/preview/previewcommands.h"
#include "core/userinterface.h"

#include <QUrl>

FeedPreviews::FeedPreviews(UserInterface &ui, SourceViewPage &sourcePage,
                           const PreviewWindow::BrowserFactory &makeBrowser,
                           const QStringList &history, QObject *parent)
    : QObject(parent), m_ui(ui), m_sourcePage(sourcePage), m_makeBrowser(makeBrowser),
      m_loadedHistory(history)
{
}

PreviewWindow &FeedPreviews::ensureForm()
{
    if (!m_form) {
        m_form = new PreviewWindow(m_makeBrowser, m_loadedHistory, m_sourcePage.window());
        m_form->setOwnPaths([this] { return QStringList(m_ownFiles) << m_testFolder.path(); });
        connect(m_form, &PreviewWindow::pasteRequested, this, &FeedPreviews::pasteRequested);
    }
    return *m_form;
}

QStringList FeedPreviews::history() const
{
    return m_form ? m_form->history() : m_loadedHistory;
}

void FeedPreviews::rssPreview(const Selection &selection)
{
    showOutcome(SourceView::Rss, RssPreview(contextOf(selection)));
}

void FeedPreviews::htmlPreview(const Selection &selection)
{
    showOutcome(SourceView::Html, HtmlPreview(contextOf(selection)));
}

PreviewContext FeedPreviews::contextOf(const Selection &selection)
{
    return {selection.feed, selection.projectFile, selection.dataFolder, m_clock,
            m_ui,           m_testFolder};
}

void FeedPreviews::showOutcome(SourceView view, const PreviewOutcome &outcome)
{
    if (!outcome.shown)
        return;
    m_sourcePage.showSource(view, outcome.text);
    if (!outcome.fileToOpen.isEmpty())
        openAddress(QUrl::fromLocalFile(outcome.fileToOpen).toString(), false);
}

void FeedPreviews::showSource(const Selection &selection, SourceView view)
{
    const QString text =
        selection.feed ? SourceViewText(*selection.feed, view, selection.projectFile, m_clock, m_ui)
                       : QString();
    m_sourcePage.showSource(view, text);
}

void FeedPreviews::feedAnalysis(const Selection &selection, const QString &service)
{
    if (!selection.feed)
        return;
    const QString text = FeedRssText(*selection.feed, selection.projectFile, QString(), m_clock);
    m_sourcePage.showSource(SourceView::Rss, text);
    m_sourcePage.showFindings(CheckFeed(text.toUtf8()) + CheckFeedItems(*selection.feed));
    const std::optional<QString> serviceAddress =
        FeedCheckServiceAddress(service, PublishedFeedAddress(selection.feed->settings));
    if (serviceAddress &&
        m_ui.askYesNo(QStringLiteral("公開されているフィードを外部の検査サービスでも確認しますか？"
                                     "\r\n\r\n") +
                      *serviceAddress) == UserInterface::Answer::Yes)
        openAddress(*serviceAddress, false);
}

void FeedPreviews::openAddress(const QString &address, bool noCache)
{
    BusyCursor busy(m_ui);
    ensureForm().openPreview(address, noCache);
}
