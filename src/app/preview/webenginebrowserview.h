#pragma once

#include "browserview.h"
#include "tbrowseform.h"

class QWebEngineProfile;
class QWebEngineView;

// The browser of the program: Qt WebEngine with an off-the-record profile,
// so that previews leave no cookies, cache or history on disk. Made only
// when the preview window is first needed, so start-up never loads it.
class WebEngineBrowserView : public BrowserView
{
    Q_OBJECT

public:
    explicit WebEngineBrowserView(QWidget *parent);

    QWidget *widget() override;
    void open(const QUrl &address, bool bypassCache) override;
    void reload() override;
    void back() override;
    void forward() override;
    void focusPage() override;

private:
    QWebEngineProfile *m_profile;
    QWebEngineView *m_view;
};

// Makes the program's browser for TBrowseForm.
inline TBrowseForm::BrowserFactory WebEngineBrowserFactory()
{
    return [](QWidget *parent) -> BrowserView * { return new WebEngineBrowserView(parent); };
}
