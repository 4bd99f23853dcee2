#pragma once

#include "app/preview/browserview.h"

#include <QPointer>

class QWebEngineProfile;
class QWebEngineView;

// The browser of the program: Qt WebEngine with an off-the-record profile,
// so that previews leave no cookies, cache or history on disk. It lives in
// the module brisklet_webengine, which the program loads on the first
// preview only (BrowserModuleFactory), so start-up never loads the engine.
class WebEngineBrowserView : public BrowserView
{
    Q_OBJECT

public:
    explicit WebEngineBrowserView(QWidget *parent);
    // The page goes before its profile, which the engine requires.
    ~WebEngineBrowserView() override;

    QWidget *widget() override;
    void open(const QUrl &address, bool bypassCache) override;
    void reload() override;
    void back() override;
    void forward() override;
    void focusPage() override;

private:
    QWebEngineProfile *m_profile;
    QPointer<QWebEngineView> m_view;
};
