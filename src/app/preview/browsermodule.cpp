#include "app/preview/browsermodule.h"

#include "app/common/installlayout.h"
#include "app/preview/browserview.h"
#include "core/preview/enginelimits.h"

#include <QDir>
#include <QLabel>
#include <QLibrary>

namespace {

using MakeBrowser = BrowserView *(*)(QWidget *parent);

// Stands in when the module cannot be loaded: every address fails, and the
// window offers it to the default browser.
class MissingBrowserView : public BrowserView
{
public:
    MissingBrowserView(QWidget *parent, const QString &reason)
        : BrowserView(parent), m_widget(new QLabel(parent)), m_reason(reason)
    {
    }

    QWidget *widget() override { return m_widget; }
    void open(const QUrl &address, bool) override
    {
        Q_EMIT failed(m_reason);
        Q_EMIT navigated(address); // the address stays in the bar for the default browser
    }
    void reload() override {}
    void back() override {}
    void forward() override {}
    void focusPage() override {}

private:
    QLabel *m_widget;
    QString m_reason;
};

MakeBrowser loadModule(QString &error)
{
    for (const QString &folder : ModuleFolders()) {
        QLibrary module(QDir(folder).filePath(QStringLiteral("brisklet_webengine")));
        if (!module.load()) {
            error = module.errorString();
            continue;
        }
        if (auto make = reinterpret_cast<MakeBrowser>(module.resolve("brisklet_make_browser")))
            return make;
        error = module.errorString();
    }
    return nullptr;
}

} // namespace

bool EngineSandboxed()
{
    static const bool sandboxed = [] {
        // Someone may have switched the sandbox off already.
        if (qEnvironmentVariableIntValue("QTWEBENGINE_DISABLE_SANDBOX") != 0)
            return false;
        if (EngineSandboxPossible())
            return true;
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        return false;
    }();
    return sandboxed;
}

PreviewWindow::BrowserFactory BrowserModuleFactory()
{
    return [](QWidget *parent) -> BrowserView * {
        static QString error;
        const bool sandboxed = EngineSandboxed();
        static const MakeBrowser make = loadModule(error);
        if (make) {
            BrowserView *browser = make(parent);
            browser->setSandboxed(sandboxed);
            return browser;
        }
        qWarning("brisklet: the web engine module cannot be loaded: %s", qPrintable(error));
        return new MissingBrowserView(parent, QStringLiteral("ブラウザ部品が読み込めません"));
    };
}
