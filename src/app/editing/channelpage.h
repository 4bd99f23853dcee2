#pragma once

#include "core/editing/feedpagevalues.h"

#include <QList>
#include <QWidget>

class LimitedLineEdit;
class NumberSpinBox;
class RadioGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class UserInterface;

// The channel tab " 基本設定" of a feed: every channel setting except the
// HTML page's. It shows and stores FeedPageValues; what an edit means for
// the project is the owner's business, told through the signals.
class ChannelPage : public QWidget
{
    Q_OBJECT

public:
    explicit ChannelPage(QWidget *parent = nullptr);

    // Where the two "参照..." buttons ask and start.
    void setBrowsing(UserInterface *ui, const QString &projectFolder);

    // Fills the page without reporting edits.
    void showValues(const FeedPageValues &values);
    // Writes the channel fields of the page into values.
    void storeValues(FeedPageValues &values) const;

    // The template list after the folder changed, with the entry to choose.
    void setFtpEntries(const QList<FtpTemplateEntry> &entries, int index);
    void setHtmlLabelEnabled(bool enabled);
    // The label switch as a loaded template file sets it.
    void setHtmlLabel(bool on);

Q_SIGNALS:
    // A field of the feed changed: the project is modified and the feed,
    // when it can be uploaded, has changes not yet uploaded.
    void contentEdited();
    // A choice changed that the project keeps but that is no content.
    void settingEdited();
    // The template, the language or the upload path changed.
    void toolStateChanged();

private:
    struct TextField
    {
        QString ChannelSettings::*member;
        LimitedLineEdit *edit;
    };

    QWidget *buildTexts();
    QWidget *buildOutput();
    QWidget *buildSwitches();
    QWidget *buildUpload();
    QWidget *buildPublishing();
    QWidget *buildPodcast();
    void showPodcastChoices(const ChannelSettings &settings);
    void storePodcastChoices(ChannelSettings &settings) const;
    LimitedLineEdit *addText(QString ChannelSettings::*member, const QString &objectName, int limit,
                             const QString &hint);
    struct Switch
    {
        bool ChannelSettings::*member;
        QCheckBox *box;
    };

    QCheckBox *addCheck(bool ChannelSettings::*member, const QString &objectName,
                        const QString &caption, const QString &hint);
    QPushButton *browseButton(QLineEdit *field);
    void browse(QLineEdit *field);
    void applyUploadPathMode();
    void reportContentEdit();

    QList<TextField> m_texts;
    QList<Switch> m_switches;
    RadioGroup *m_ver = nullptr;
    NumberSpinBox *m_rssline = nullptr;
    NumberSpinBox *m_descstrmax = nullptr;
    QComboBox *m_language = nullptr;
    QCheckBox *m_htmllabel = nullptr;
    QComboBox *m_ftpTemplate = nullptr;
    QList<FtpTemplateEntry> m_ftpEntries;
    LimitedLineEdit *m_localfolder = nullptr;
    QLineEdit *m_ftpfolder = nullptr;
    QLabel *m_uploadPathLabel = nullptr;
    QLabel *m_uploadPathSlash = nullptr;
    QPushButton *m_uploadBrowse = nullptr;
    QWidget *m_podcastFields = nullptr;
    QComboBox *m_category = nullptr;
    QComboBox *m_itunesType = nullptr;
    // Set while the page is filled, so that filling is no edit.
    bool m_filling = false;
    UserInterface *m_ui = nullptr;
    QString m_projectFolder;
};
