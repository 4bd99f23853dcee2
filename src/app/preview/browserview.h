#pragma once

#include <QObject>
#include <QUrl>

#include <functional>

class QWidget;

// What the preview window needs of an embedded browser. The program uses
// Qt WebEngine (WebEngineBrowserView); tests put a fake behind it.
class BrowserView : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Which addresses the browser loads itself. A page it does not show is
    // handed over (handedOver), a piece of a page it does not load is left
    // out.
    struct AddressRule
    {
        std::function<bool(const QUrl &)> showsPage = [](const QUrl &) { return true; };
        std::function<bool(const QUrl &)> loadsPiece = [](const QUrl &) { return true; };
    };
    void setAddressRule(AddressRule rule) { m_rule = std::move(rule); }
    const AddressRule &addressRule() const { return m_rule; }
    // Whether the pages run in the engine's sandbox; set by whoever made it.
    bool isSandboxed() const { return m_sandboxed; }
    void setSandboxed(bool sandboxed) { m_sandboxed = sandboxed; }

    // The widget that shows the pages.
    virtual QWidget *widget() = 0;
    // bypassCache: the page is fetched again instead of read from the cache.
    virtual void open(const QUrl &address, bool bypassCache) = 0;
    virtual void reload() = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    // Gives the page the keyboard, so scrolling keys reach it.
    virtual void focusPage() = 0;

Q_SIGNALS:
    void navigated(const QUrl &address); // a navigation completed there
    void titleChanged(const QString &title);
    void statusTextChanged(const QString &text);
    void historyChanged(bool canGoBack, bool canGoForward);
    void loaded();                        // the document is complete
    void closeRequested();                // a page script closed its window
    void failed(const QString &reason);   // the engine cannot show pages
    void handedOver(const QUrl &address); // a page it does not show itself
    void pageEnded();                     // the process showing the page died

protected:
    // Tells handedOver for a page the rule keeps out; true then.
    bool handsOver(const QUrl &address)
    {
        if (m_rule.showsPage(address))
            return false;
        Q_EMIT handedOver(address);
        return true;
    }

private:
    AddressRule m_rule;
    bool m_sandboxed = true;
};
