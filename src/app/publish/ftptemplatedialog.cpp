#include "app/publish/ftptemplatedialog.h"

#include "app/common/pagewidgets.h"
#include "core/publish/connectiontest.h"
#include "core/publish/ftptemplatecommands.h"
#include "core/publish/ftptemplatefolder.h"
#include "core/publish/passwordkeyring.h"
#include "core/userinterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int MaxPort = 65535;

QLineEdit *textField(const QString &objectName)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(objectName);
    return edit;
}

QPushButton *button(const QString &objectName, const QString &caption, const QString &hint)
{
    auto *b = new QPushButton(caption);
    b->setObjectName(objectName);
    SetHint(b, hint);
    return b;
}

} // namespace

FtpTemplateDialog::FtpTemplateDialog(UserInterface &ui, const FtpTemplatePlaces &places,
                                     const QString &selected, QWidget *parent)
    : QDialog(parent), m_ui(ui), m_places(places)
{
    setWindowTitle(QStringLiteral("アップロードの設定"));
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("LB_FtpServer"));
    m_list->addItems(FtpTemplateNames(places.templateFolder));
    m_list->setAccessibleName(QStringLiteral("テンプレート"));
    m_protocol = new QComboBox;
    m_protocol->setObjectName(QStringLiteral("CB_Protocol"));
    // In the order of the numbers stored in the files.
    m_protocol->addItems({QStringLiteral("FTP"), QStringLiteral("FTPS (FTP over TLS)"),
                          QStringLiteral("SFTP (SSH)")});
    SetHint(m_protocol, QStringLiteral("FTPSとSFTPはパスワードと内容を暗号化して送ります"));
    m_server = textField(QStringLiteral("ED_Server"));
    m_user = textField(QStringLiteral("ED_User"));
    m_password = textField(QStringLiteral("ED_Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_timeout = new NumberSpinBox(QStringLiteral("ED_TimeOut"), FtpTemplate::MinTimeout,
                                  FtpTemplate::MaxTimeout);
    m_port = new NumberSpinBox(QStringLiteral("ED_Port"), 1, MaxPort);
    m_passive = new QCheckBox(QStringLiteral("パッシブモードで転送する"));
    m_passive->setObjectName(QStringLiteral("CB_Passive"));
    m_standardTransfer = new QCheckBox(QStringLiteral("標準の転送方法を使用する"));
    m_standardTransfer->setObjectName(QStringLiteral("CB_WinInet"));
    SetHint(m_standardTransfer, QStringLiteral("オフにすると別の転送方法で接続します"));
    m_inKeyring = new QCheckBox(QStringLiteral("パスワードをキーリングに保存する"));
    m_inKeyring->setObjectName(QStringLiteral("CB_Keyring"));
    SetHint(m_inKeyring, QStringLiteral("パスワードをテンプレートファイルではなく、"
                                        "デスクトップのキーリングに保存します"));
    m_keyringNote = new QLabel;
    m_keyringNote->setObjectName(QStringLiteral("LB_KeyringNote"));
    m_keyringNote->setWordWrap(true);
    offerKeyring();

    auto *form = new QFormLayout;
    form->addRow(fieldLabel(QStringLiteral("テンプレート"), m_list), m_list);
    form->addRow(fieldLabel(QStringLiteral("プロトコル"), m_protocol), m_protocol);
    form->addRow(fieldLabel(QStringLiteral("FTPサーバー名"), m_server), m_server);
    form->addRow(fieldLabel(QStringLiteral("ユーザー名"), m_user), m_user);
    form->addRow(fieldLabel(QStringLiteral("パスワード"), m_password), m_password);
    form->addRow(fieldLabel(QStringLiteral("タイムアウト(秒)"), m_timeout), m_timeout);
    form->addRow(fieldLabel(QStringLiteral("ポート番号"), m_port), m_port);
    form->addRow(m_passive);
    form->addRow(m_standardTransfer);
    form->addRow(m_inKeyring);
    form->addRow(m_keyringNote);

    QPushButton *saveButton = button(QStringLiteral("BT_Save"), QStringLiteral("保存(&S)"),
                                     QStringLiteral("選択されているテンプレートに保存します"));
    QPushButton *newButton = button(QStringLiteral("BT_New"), QStringLiteral("新規登録(&N)..."),
                                    QStringLiteral("新しい名前でテンプレートを保存します"));
    QPushButton *test =
        button(QStringLiteral("BT_ConnectionTest"), QStringLiteral("接続テスト(&T)"),
               QStringLiteral("入力した設定でサーバーに接続し、ログインして"
                              "フォルダの一覧を取得してみます"));
    QPushButton *cancel = button(QStringLiteral("BT_Cancel"), QStringLiteral("キャンセル"),
                                 QStringLiteral("保存せずに閉じます"));
    connect(saveButton, &QPushButton::clicked, this, [this] { save(false); });
    connect(newButton, &QPushButton::clicked, this, [this] { save(true); });
    connect(test, &QPushButton::clicked, this,
            [this] { m_ui.information(TestFtpConnection(m_ui, values(), m_places.trust)); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(test);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(newButton);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentTextChanged, this, &FtpTemplateDialog::showTemplate);
    connect(m_protocol, &QComboBox::activated, this, &FtpTemplateDialog::protocolChosen);
    const QList<QListWidgetItem *> found = m_list->findItems(selected, Qt::MatchFixedString);
    if (!selected.isEmpty() && !found.isEmpty())
        m_list->setCurrentItem(found.first());
    else
        showTemplate(QString());
}

void FtpTemplateDialog::offerKeyring()
{
    const QString reason = m_places.keyring ? m_places.keyring->unavailableReason()
                                            : QStringLiteral("キーリングが見つかりません。");
    m_inKeyring->setEnabled(reason.isEmpty());
    m_keyringNote->setVisible(!reason.isEmpty());
    m_keyringNote->setText(QStringLiteral("キーリングを利用できないため、パスワードは"
                                          "テンプレートファイルに保存されます（%1）")
                               .arg(reason));
}

void FtpTemplateDialog::showTemplate(const QString &name)
{
    const FtpTemplate t = TemplateForEditing(
        name.isEmpty() ? QString() : FtpTemplatePath(m_places.templateFolder, name),
        m_places.keyring);
    m_server->setText(t.server);
    m_user->setText(t.user);
    m_password->setText(t.password);
    m_timeout->showValue(t.timeout);
    m_port->showValue(t.port);
    m_passive->setChecked(t.passive);
    m_standardTransfer->setChecked(t.usesCurl());
    m_inKeyring->setChecked(t.passwordInKeyring && m_inKeyring->isEnabled());
    m_protocol->setCurrentIndex(int(t.protocol));
    m_shownProtocol = t.protocol;
    m_standardTransfer->setEnabled(SocketClientSpeaks(t.protocol));
    m_passive->setEnabled(HasPassiveMode(t.protocol));
}

FtpProtocol FtpTemplateDialog::protocol() const
{
    return FtpProtocol(m_protocol->currentIndex());
}

void FtpTemplateDialog::protocolChosen()
{
    const FtpProtocol chosen = protocol();
    m_port->showValue(PortAfterProtocolChange(m_port->takenValue(), m_shownProtocol, chosen));
    m_shownProtocol = chosen;
    // Only libcurl speaks FTPS and SFTP; the box shows that it is used.
    if (!SocketClientSpeaks(chosen))
        m_standardTransfer->setChecked(true);
    m_standardTransfer->setEnabled(SocketClientSpeaks(chosen));
    m_passive->setEnabled(HasPassiveMode(chosen));
}

FtpTemplate FtpTemplateDialog::values() const
{
    FtpTemplate t;
    const QListWidgetItem *current = m_list->currentItem();
    t.name = current ? current->text() : QString();
    t.server = m_server->text();
    t.user = m_user->text();
    t.password = m_password->text();
    t.timeout = m_timeout->takenValue();
    t.port = m_port->takenValue();
    t.passive = m_passive->isChecked();
    t.useCurlClient = m_standardTransfer->isChecked();
    t.protocol = protocol();
    t.passwordInKeyring = m_inKeyring->isEnabled() && m_inKeyring->isChecked();
    return t;
}

void FtpTemplateDialog::save(bool askForName)
{
    const std::optional<QString> name =
        SaveFtpTemplateAs(m_ui, m_places.templateFolder, values(), askForName, m_places.keyring);
    if (!name)
        return;
    m_savedName = *name;
    accept();
}
