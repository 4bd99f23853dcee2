#pragma once

#include "app/publish/ftptemplatedialog.h"
#include "core/editing/feedpagevalues.h"
#include "core/model/channelsettings.h"

#include <QList>
#include <QWidget>

class NumberSpinBox;
class QCheckBox;
class QComboBox;
class QPushButton;
class RadioGroup;
class TextEditor;
class UserInterface;

// The project defaults "初期値" with the project memo, shown for the root and
// for folders, and the FTP template buttons, which act on its template list.
class DefaultsPanel : public QWidget
{
    Q_OBJECT

public:
    DefaultsPanel(UserInterface &ui, const FtpTemplatePlaces &ftpPlaces, QWidget *parent = nullptr);

    // Fills the panel (the template list from the folder) without reporting
    // edits.
    void showDefaults(const ProjectDefaults &defaults);
    void storeDefaults(ProjectDefaults &defaults) const;

Q_SIGNALS:
    // A default or the memo changed: the project is modified.
    void settingEdited();
    // A template was saved, renamed or deleted: other lists need rebuilding.
    void ftpTemplatesChanged();

private:
    QCheckBox *addCheck(const QString &objectName, const QString &caption, const QString &hint);
    QWidget *buildTemplateRow();
    void fillTemplates(const QString &chosen);
    QString chosenTemplate() const;
    void updateTemplateButtons();
    void editTemplate();
    void renameTemplate();
    void deleteTemplate();
    void templatesChanged(const QString &chosen);
    void reportEdit();

    UserInterface &m_ui;
    FtpTemplatePlaces m_ftpPlaces;
    QString m_ftpFolder; // of the templates
    RadioGroup *m_ver;
    NumberSpinBox *m_rssline;
    NumberSpinBox *m_descstrmax;
    QComboBox *m_language;
    QList<QCheckBox *> m_checks; // dateset, addressset, creatorset, content, selflink, itemguid
    QComboBox *m_ftpTemplate = nullptr;
    QList<FtpTemplateEntry> m_ftpEntries;
    QPushButton *m_rename = nullptr;
    QPushButton *m_delete = nullptr;
    TextEditor *m_memo;
    bool m_filling = false;
};
