#pragma once

#include "core/publish/ftptemplate.h"
#include "core/publish/servertrust.h"

#include <QDialog>

class NumberSpinBox;
class QCheckBox;
class PasswordKeyring;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class UserInterface;

// What the template dialog works with besides the person.
struct FtpTemplatePlaces
{
    QString templateFolder;
    TrustFiles trust;                   // what connecting may trust
    PasswordKeyring *keyring = nullptr; // none: passwords stay in the files
};

// The template dialog "アップロードの設定": the templates of the folder in a
// list, the fields of the chosen one, and saving under its name or a new one.
class FtpTemplateDialog : public QDialog
{
    Q_OBJECT

public:
    // selected is the template to show first; empty for none.
    FtpTemplateDialog(UserInterface &ui, const FtpTemplatePlaces &places, const QString &selected,
                      QWidget *parent = nullptr);

    // The name saved under, once the dialog ended saved.
    QString savedName() const { return m_savedName; }

    FtpTemplate values() const;

private:
    void showTemplate(const QString &name);
    void save(bool askForName);
    FtpProtocol protocol() const;
    // The controls that depend on the protocol: the port follows it unless
    // typed, the socket client and passive mode only where they apply.
    void protocolChosen();

    // The keyring box, or why it is off.
    void offerKeyring();

    UserInterface &m_ui;
    FtpTemplatePlaces m_places;
    QString m_savedName;
    QListWidget *m_list;
    QComboBox *m_protocol;
    FtpProtocol m_shownProtocol = FtpProtocol::Ftp;
    QLineEdit *m_server;
    QLineEdit *m_user;
    QLineEdit *m_password;
    NumberSpinBox *m_timeout;
    NumberSpinBox *m_port;
    QCheckBox *m_passive;
    QCheckBox *m_standardTransfer;
    QCheckBox *m_inKeyring;
    QLabel *m_keyringNote;
};
