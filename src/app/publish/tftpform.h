#pragma once

#include "publish/ftptemplate.h"

#include <QDialog>

class NumberSpinBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class UserInterface;

// The template dialog "アップロードの設定": the templates of the folder in a
// list, the fields of the chosen one, and saving under its name or a new one.
class TFtpForm : public QDialog
{
    Q_OBJECT

public:
    // selected is the template to show first; empty for none.
    TFtpForm(UserInterface &ui, const QString &folder, const QString &selected,
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

    UserInterface &m_ui;
    QString m_folder;
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
    QCheckBox *m_winInet;
};
