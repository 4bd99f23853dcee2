#pragma once

#include "core/model/channelsettings.h"
#include "core/model/feeditem.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class UserInterface;

// The media file of the grid's current row and its podcast values, beside
// the content editor: an address typed or proposed for a chosen local file,
// its length and type read from the file or asked from the server.
class ItemMediaPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ItemMediaPanel(UserInterface &ui, QWidget *parent = nullptr);

    // The feed's live settings: a chosen file's address lies beside its RSS
    // file.
    void setChannelValues(std::function<ChannelSettings()> values);
    // Shows the row's values without counting as an edit.
    void showItem(const FeedItem &item);
    // item with the panel's values in place of its media and podcast values.
    FeedItem applyTo(FeedItem item) const;

Q_SIGNALS:
    // The user changed a value.
    void edited();

private:
    QLineEdit *addField(const QString &objectName, const QString &hint);
    void chooseFile();
    void askServer();
    void report();

    UserInterface &m_ui;
    std::function<ChannelSettings()> m_channelValues;
    QLineEdit *m_address;
    QLineEdit *m_length;
    QLineEdit *m_type;
    QLineEdit *m_file; // the local file chosen, shown only
    QLineEdit *m_duration;
    QLineEdit *m_episode;
    QComboBox *m_explicit;
    QPushButton *m_browse;
    QPushButton *m_ask;
    bool m_filling = false;
    QString m_lastFolder;
};
