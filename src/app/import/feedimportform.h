#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;
class UserInterface;

// Asks where a feed to import comes from: a file, picked with the file
// chooser or typed, or an http or https address. OK is offered only once
// the chosen one is filled in.
class FeedImportForm : public QDialog
{
    Q_OBJECT

public:
    FeedImportForm(UserInterface &ui, const QString &startFolder, QWidget *parent = nullptr);

    // The file path or the address, as the user gave it.
    QString source() const;

private:
    void browse();
    void refresh();

    UserInterface &m_ui;
    QString m_startFolder;
    QRadioButton *m_fromFile;
    QRadioButton *m_fromAddress;
    QLineEdit *m_file;
    QLineEdit *m_address;
    QPushButton *m_browse;
    QPushButton *m_ok;
};
