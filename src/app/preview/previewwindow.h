#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <functional>

class BrowserView;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QToolButton;
class QVBoxLayout;

// "プレビュー": the one preview window of the program, a tool window with a
// small browser toolbar, the browser and a status line. It rolls up to its
// toolbar when it loses the focus and down again when it is activated.
class PreviewWindow : public QWidget
{
    Q_OBJECT

public:
    using BrowserFactory = std::function<BrowserView *(QWidget *parent)>;
    // Opens an address in the default browser when the engine cannot.
    using ExternalOpener = std::function<void(const QUrl &)>;

    PreviewWindow(const BrowserFactory &makeBrowser, const QStringList &history,
                  QWidget *parent = nullptr);

    // Shows the address and brings the window to the front.
    void openPreview(const QString &address, bool noCache);
    void navigateTo(const QString &address, bool noCache);

    QStringList history() const { return m_history; }
    QString currentAddress() const { return m_currentAddress; }
    bool isRolledUp() const;
    void setExternalOpener(const ExternalOpener &opener) { m_openExternally = opener; }
    // The program's own files and folders, which the engine shows even
    // without its sandbox.
    void setOwnPaths(std::function<QStringList()> ownPaths) { m_ownPaths = std::move(ownPaths); }

Q_SIGNALS:
    // SB_Paste: the address for the main window's focused control.
    void pasteRequested(const QString &address);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *addButton(const char *name, const QString &hint, const QString &text);
    void seek();
    void resetHistory();
    void showHistory();
    void rollUp();
    void rollDown();
    void toggleRoll();
    void setRollHint(const QString &hint);
    void onNavigated(const QUrl &address);
    void onTitleChanged(const QString &title);
    void onFailed(const QString &reason);
    void onHandedOver(const QUrl &address);
    void showPageEnded(bool ended);
    void showRestingStatus(const QString &text);
    void applyEngineLimits();

    BrowserView *m_browser = nullptr;
    QWidget *m_toolbar = nullptr;
    QToolButton *m_back = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_right = nullptr;
    QComboBox *m_address = nullptr;
    QStatusBar *m_status = nullptr;
    QPushButton *m_external = nullptr;
    QWidget *m_endedBar = nullptr; // the page's process died: a message and a reload button
    QMenu *m_menu = nullptr;
    ExternalOpener m_openExternally;
    std::function<QStringList()> m_ownPaths = [] { return QStringList(); };

    QStringList m_history;
    QString m_currentAddress;
    QString m_title;
    QString m_failure;       // why the engine cannot show pages; empty while it can
    QString m_restingStatus; // what the status line says while no link does
    int m_savedHeight = 0;
    bool m_closing = false;
    bool m_navigating = false;
    bool m_pageEnded = false;
};
