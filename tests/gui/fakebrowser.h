#pragma once

#include "app/preview/browserview.h"
#include "app/preview/previewwindow.h"

#include <QLabel>
#include <QStringList>

// Stands in for the engine: records what it was told and completes every
// navigation at once, as a page titled after its file name.
class FakeBrowser : public BrowserView
{
public:
    explicit FakeBrowser(QWidget *parent) : BrowserView(parent), m_widget(new QLabel(parent)) {}

    QStringList calls; // "open URL [nocache]", "reload", "back", "forward"

    QWidget *widget() override { return m_widget; }
    void open(const QUrl &address, bool bypassCache) override
    {
        if (handsOver(address))
            return;
        calls << QStringLiteral("open ") + address.toString() +
                     (bypassCache ? QStringLiteral(" nocache") : QString());
        m_shown = address;
        Q_EMIT titleChanged(address.fileName());
        Q_EMIT navigated(address);
    }
    void reload() override
    {
        calls << QStringLiteral("reload");
        Q_EMIT navigated(m_shown);
    }
    void back() override { calls << QStringLiteral("back"); }
    void forward() override { calls << QStringLiteral("forward"); }
    void focusPage() override {}

private:
    QWidget *m_widget;
    QUrl m_shown;
};

inline FakeBrowser *fakeOf(PreviewWindow *form)
{
    return form->findChild<FakeBrowser *>();
}

inline PreviewWindow::BrowserFactory fakeFactory(bool sandboxed = true)
{
    return [sandboxed](QWidget *parent) -> BrowserView * {
        auto *browser = new FakeBrowser(parent);
        browser->setSandboxed(sandboxed);
        return browser;
    };
}
