#include "app/preview/previewwindow.h"

#include "app/preview/browserview.h"
#include "core/preview/enginelimits.h"
#include "core/preview/helpaddresses.h"
#include "core/preview/previewaddresses.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int MinimumOpenHeight = 200;

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
    widget->setAccessibleDescription(hint);
}

} // namespace

PreviewWindow::PreviewWindow(const BrowserFactory &makeBrowser, const QStringList &history,
                             QWidget *parent)
    : QWidget(parent, Qt::Tool),
      m_openExternally([](const QUrl &address) { QDesktopServices::openUrl(address); }),
      m_history(history.mid(0, 20))
{
    setObjectName(QStringLiteral("TBrowseForm"));
    setWindowTitle(QStringLiteral("プレビュー"));

    m_toolbar = new QWidget(this);
    auto *bar = new QHBoxLayout(m_toolbar);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(2);
    m_back = addButton("SB_Back", QStringLiteral("戻る"), QStringLiteral("←"));
    m_next = addButton("SB_Next", QStringLiteral("進む"), QStringLiteral("→"));
    QToolButton *refresh = addButton("SB_Refresh", QStringLiteral("再読込"), QStringLiteral("↻"));
    QToolButton *paste = addButton(
        "SB_Paste", QStringLiteral("選択されている入力項目にURLを流し込む"), QStringLiteral("貼"));
    m_address = new QComboBox(m_toolbar);
    m_address->setObjectName(QStringLiteral("CB_Address"));
    m_address->setEditable(true);
    m_address->setInsertPolicy(QComboBox::NoInsert);
    m_address->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_address->setAccessibleName(QStringLiteral("アドレスバー"));
    setHint(m_address, QStringLiteral("アドレスバー"));
    // The focus rests on the combo box, whose keys go to its field without
    // passing that field's filters.
    m_address->installEventFilter(this);
    m_address->lineEdit()->installEventFilter(this);
    bar->addWidget(m_address);
    QToolButton *seekButton = addButton(
        "SB_Seek", QStringLiteral("アドレスバーの参照先に移動します"), QStringLiteral("移動"));
    m_right = addButton("SB_Right", QStringLiteral("閉じる"), QString());
    m_right->setArrowType(Qt::UpArrow);
    setRollHint(QStringLiteral("閉じる"));
    m_back->setEnabled(false);
    m_next->setEnabled(false);

    m_menu = new QMenu(this);
    m_menu->addAction(QStringLiteral("アドレスバーのリセット(&R)"), this,
                      &PreviewWindow::resetHistory);
    for (QToolButton *button : {seekButton, m_right}) {
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this,
                [this, button](const QPoint &at) { m_menu->popup(button->mapToGlobal(at)); });
    }

    m_browser = makeBrowser(this);
    m_endedBar = new QWidget(this);
    m_endedBar->setObjectName(QStringLiteral("PL_PageEnded"));
    auto *endedLayout = new QHBoxLayout(m_endedBar);
    auto *endedText = new QLabel(
        QStringLiteral("ページを表示していた処理が終了しました。再読み込みで表示し直せます。"),
        m_endedBar);
    endedText->setObjectName(QStringLiteral("LB_PageEnded"));
    endedText->setWordWrap(true);
    auto *reload = new QPushButton(QStringLiteral("再読み込み"), m_endedBar);
    reload->setObjectName(QStringLiteral("SB_ReloadPage"));
    setHint(reload, QStringLiteral("ページを読み込み直します"));
    endedLayout->addWidget(endedText, 1);
    endedLayout->addWidget(reload);
    m_endedBar->hide();
    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar"));
    m_status->setSizeGripEnabled(false);
    m_external = new QPushButton(QStringLiteral("既定のブラウザで開く"), m_status);
    m_external->setObjectName(QStringLiteral("SB_External"));
    setHint(m_external, QStringLiteral("このアドレスを既定のブラウザで開きます"));
    m_external->hide();
    m_status->addPermanentWidget(m_external);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_endedBar);
    layout->addWidget(m_browser->widget(), 1);
    layout->addWidget(m_status);

    connect(m_back, &QToolButton::clicked, m_browser, &BrowserView::back);
    connect(m_next, &QToolButton::clicked, m_browser, &BrowserView::forward);
    connect(refresh, &QToolButton::clicked, m_browser, &BrowserView::reload);
    connect(paste, &QToolButton::clicked, this,
            [this] { Q_EMIT pasteRequested(m_address->currentText()); });
    connect(seekButton, &QToolButton::clicked, this, &PreviewWindow::seek);
    connect(m_address, &QComboBox::activated, this, &PreviewWindow::seek);
    connect(m_right, &QToolButton::clicked, this, &PreviewWindow::toggleRoll);
    connect(m_external, &QPushButton::clicked, this, [this] {
        m_openExternally(QUrl::fromUserInput(AddressFromUserText(m_address->currentText())));
    });
    connect(m_browser, &BrowserView::navigated, this, &PreviewWindow::onNavigated);
    connect(m_browser, &BrowserView::titleChanged, this, &PreviewWindow::onTitleChanged);
    // Without a text of its own the line says what it said before the link.
    connect(m_browser, &BrowserView::statusTextChanged, m_status, [this](const QString &text) {
        m_status->showMessage(text.isEmpty() ? m_restingStatus : text);
    });
    connect(m_browser, &BrowserView::historyChanged, this, [this](bool canBack, bool canForward) {
        m_back->setEnabled(canBack);
        m_next->setEnabled(canForward);
    });
    connect(m_browser, &BrowserView::loaded, m_browser, &BrowserView::focusPage);
    connect(m_browser, &BrowserView::closeRequested, this, [this] {
        m_currentAddress.clear();
        m_browser->open(QUrl(HomePageAddress()), false);
    });
    connect(m_browser, &BrowserView::failed, this, &PreviewWindow::onFailed);
    connect(m_browser, &BrowserView::handedOver, this, &PreviewWindow::onHandedOver);
    connect(m_browser, &BrowserView::pageEnded, this, [this] { showPageEnded(true); });
    connect(m_browser, &BrowserView::navigated, this, [this] { showPageEnded(false); });
    connect(reload, &QPushButton::clicked, this, [this] {
        showPageEnded(false);
        m_browser->reload();
    });
    applyEngineLimits();

    showHistory();
    resize(714, 309);
    move(0, 0);
    m_savedHeight = height();
}

QToolButton *PreviewWindow::addButton(const char *name, const QString &hint, const QString &text)
{
    auto *button = new QToolButton(m_toolbar);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setText(text);
    setHint(button, hint);
    m_toolbar->layout()->addWidget(button);
    return button;
}

void PreviewWindow::openPreview(const QString &address, bool noCache)
{
    navigateTo(address, noCache);
    m_closing = false;
    if (isVisible() && isRolledUp())
        rollDown();
    show();
    raise();
    activateWindow();
}

void PreviewWindow::navigateTo(const QString &address, bool noCache)
{
    const Navigation navigation =
        ChooseNavigation(AddressFromUserText(address), m_currentAddress, noCache);
    if (navigation.kind != Navigation::Kind::Home)
        m_navigating = true;
    if (!m_failure.isEmpty()) {
        m_address->setCurrentText(navigation.address);
        return;
    }
    if (navigation.kind == Navigation::Kind::Reload)
        m_browser->reload();
    else
        m_browser->open(QUrl(navigation.address), navigation.bypassCache);
}

void PreviewWindow::seek()
{
    const QString address = m_address->currentText();
    if (address.trimmed().isEmpty())
        return;
    // Loaded again as a new navigation, not reloaded from the page.
    m_currentAddress.clear();
    navigateTo(address, false);
}

void PreviewWindow::resetHistory()
{
    m_history.clear();
    showHistory();
    m_address->clearEditText();
}

void PreviewWindow::showHistory()
{
    const QString text = m_address->currentText();
    m_address->clear();
    m_address->addItems(m_history);
    m_address->setCurrentText(text);
}

void PreviewWindow::onNavigated(const QUrl &address)
{
    const QString text = address.toString();
    if (m_navigating && !text.isEmpty()) {
        RememberAddress(m_history, text);
        showHistory();
    }
    m_navigating = false;
    m_currentAddress = text;
    m_address->setCurrentText(text);
}

void PreviewWindow::onTitleChanged(const QString &title)
{
    m_title = title;
    setWindowTitle(title + QStringLiteral(" - [プレビュー]"));
}

void PreviewWindow::onFailed(const QString &reason)
{
    m_failure = reason;
    m_status->showMessage(
        QStringLiteral("ブラウザ部品が使えません（%1）。既定のブラウザで開けます。").arg(reason));
    m_external->show();
}

void PreviewWindow::applyEngineLimits()
{
    const bool sandboxed = m_browser->isSandboxed();
    m_browser->setAddressRule({[this, sandboxed](const QUrl &address) {
                                   return EngineLimits{sandboxed, m_ownPaths()}.showsPage(address);
                               },
                               [sandboxed](const QUrl &address) {
                                   return EngineLimits{sandboxed, {}}.loadsPiece(address);
                               }});
    if (!sandboxed)
        showRestingStatus(UnsandboxedEngineNote());
}

void PreviewWindow::onHandedOver(const QUrl &address)
{
    m_navigating = false;
    m_openExternally(address);
    showRestingStatus(HandedOverText(address));
}

void PreviewWindow::showRestingStatus(const QString &text)
{
    m_restingStatus = text;
    m_status->showMessage(text);
}

void PreviewWindow::showPageEnded(bool ended)
{
    m_pageEnded = ended;
    m_endedBar->setVisible(ended && !isRolledUp());
}

bool PreviewWindow::isRolledUp() const
{
    return !m_status->isVisibleTo(this);
}

void PreviewWindow::rollDown()
{
    m_right->setArrowType(Qt::UpArrow);
    setRollHint(QStringLiteral("閉じる"));
    m_savedHeight = std::max(m_savedHeight, MinimumOpenHeight);
    m_browser->widget()->show();
    m_endedBar->setVisible(m_pageEnded);
    m_status->show();
    resize(width(), m_savedHeight);
}

void PreviewWindow::rollUp()
{
    m_right->setArrowType(Qt::DownArrow);
    setRollHint(QStringLiteral("開く"));
    const int toolbarHeight = m_toolbar->sizeHint().height();
    if (!isRolledUp() && height() > toolbarHeight)
        m_savedHeight = height();
    m_browser->widget()->hide();
    m_endedBar->hide();
    m_status->hide();
    resize(width(), toolbarHeight);
}

void PreviewWindow::setRollHint(const QString &hint)
{
    setHint(m_right, hint);
    // An arrow only: the hint is what it is called.
    m_right->setAccessibleName(hint);
}

void PreviewWindow::toggleRoll()
{
    if (isRolledUp())
        rollDown();
    else
        rollUp();
}

void PreviewWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || m_closing)
        return;
    if (isActiveWindow())
        rollDown();
    else
        rollUp();
    m_right->setEnabled(isActiveWindow());
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    // Stored at its full size, whatever it looked like.
    if (isRolledUp())
        rollDown();
    event->accept();
}

void PreviewWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        openPreview(ProductHomePageAddress(), false);
        return;
    }
    QWidget::keyPressEvent(event);
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Enter opens the address and goes no further, so the combo box does not
    // also report it as picked.
    if ((watched == m_address || watched == m_address->lineEdit()) &&
        event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            !m_address->view()->isVisible()) {
            seek();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
