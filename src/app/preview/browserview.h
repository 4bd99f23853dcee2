#pragma once

#include <QObject>
#include <QUrl>

class QWidget;

// What the preview window needs of an embedded browser. The program uses
// Qt WebEngine (WebEngineBrowserView); tests put a fake behind it.
class BrowserView : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

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
    void loaded();                      // the document is complete
    void closeRequested();              // a page script closed its window
    void failed(const QString &reason); // the engine cannot show pages
};
