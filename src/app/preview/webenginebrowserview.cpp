#include "webenginebrowserview.h"

#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

WebEngineBrowserView::WebEngineBrowserView(QWidget *parent)
    : BrowserView(parent),
      m_profile(new QWebEngineProfile(this)), // no storage name: off the record
      m_view(new QWebEngineView(parent))
{
    m_view->setObjectName(QStringLiteral("UIWebBrowse"));
    auto *page = new QWebEnginePage(m_profile, m_view);
    m_view->setPage(page);
    connect(m_view, &QWebEngineView::urlChanged, this, [this] {
        Q_EMIT historyChanged(m_view->history()->canGoBack(), m_view->history()->canGoForward());
    });
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
            info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
            Q_EMIT navigated(info.url());
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
            Q_EMIT loaded();
        Q_EMIT historyChanged(m_view->history()->canGoBack(), m_view->history()->canGoForward());
    });
    connect(page, &QWebEnginePage::titleChanged, this, &BrowserView::titleChanged);
    connect(page, &QWebEnginePage::linkHovered, this, &BrowserView::statusTextChanged);
    connect(page, &QWebEnginePage::windowCloseRequested, this, &BrowserView::closeRequested);
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    Q_EMIT failed(QStringLiteral("ページの表示処理が終了しました"));
            });
}

WebEngineBrowserView::~WebEngineBrowserView()
{
    delete m_view;
}

QWidget *WebEngineBrowserView::widget()
{
    return m_view;
}

void WebEngineBrowserView::open(const QUrl &address, bool bypassCache)
{
    QWebEngineHttpRequest request(address);
    if (bypassCache && address.scheme().startsWith(QLatin1String("http"))) {
        request.setHeader("Cache-Control", "no-cache");
        request.setHeader("Pragma", "no-cache");
    }
    m_view->page()->load(request);
}

void WebEngineBrowserView::reload()
{
    m_view->page()->triggerAction(QWebEnginePage::Reload);
}

void WebEngineBrowserView::back()
{
    m_view->back();
}

void WebEngineBrowserView::forward()
{
    m_view->forward();
}

void WebEngineBrowserView::focusPage()
{
    m_view->setFocus();
}

// The entry the program looks up after loading the module.
extern "C" Q_DECL_EXPORT BrowserView *brisklet_make_browser(QWidget *parent)
{
    return new WebEngineBrowserView(parent);
}
