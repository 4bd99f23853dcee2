#include "app/preview/webenginebrowserview.h"

#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace {

// Pages the browser's rule keeps out go to whoever shows them instead,
// whether the window or a link on the page asked for them.
class RuledPage : public QWebEnginePage
{
public:
    RuledPage(QWebEngineProfile *profile, QObject *parent, std::function<bool(const QUrl &)> open)
        : QWebEnginePage(profile, parent), m_open(std::move(open))
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        return !isMainFrame || m_open(url);
    }

private:
    std::function<bool(const QUrl &)> m_open;
};

// Leaves out the pieces of a page the rule does not load.
class PieceFilter : public QWebEngineUrlRequestInterceptor
{
public:
    PieceFilter(QObject *parent, std::function<bool(const QUrl &)> loads)
        : QWebEngineUrlRequestInterceptor(parent), m_loads(std::move(loads))
    {
    }

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        if (info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame &&
            !m_loads(info.requestUrl()))
            info.block(true);
    }

private:
    std::function<bool(const QUrl &)> m_loads;
};

} // namespace

WebEngineBrowserView::WebEngineBrowserView(QWidget *parent)
    : BrowserView(parent),
      m_profile(new QWebEngineProfile(this)), // no storage name: off the record
      m_view(new QWebEngineView(parent))
{
    m_view->setObjectName(QStringLiteral("UIWebBrowse"));
    m_profile->setUrlRequestInterceptor(new PieceFilter(
        m_profile, [this](const QUrl &address) { return addressRule().loadsPiece(address); }));
    auto *page = new RuledPage(m_profile, m_view,
                               [this](const QUrl &address) { return !handsOver(address); });
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
                    Q_EMIT pageEnded();
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
