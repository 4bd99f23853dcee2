#pragma once

#include "core/search/searchsettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

// What the search and the replace dialog share: the search text box, the
// direction, the four option boxes and the settings file that keeps them
// and the histories between runs.
class SearchDialog : public QDialog
{
    Q_OBJECT

public:
    // The flags of the direction and the option boxes.
    SearchOptions dialogOptions() const;

protected:
    SearchDialog(const QString &caption, const QString &settingsPath, QWidget *parent);

    // A labelled drop-down edit in the next row of the text area.
    QComboBox *addTextBox(const QString &name, const QString &label);
    QCheckBox *addOption(const QString &name, const QString &caption);
    QPushButton *addButton(const QString &name, const QString &caption);
    // Writes the options and histories the dialog holds.
    void saveSettings();
    // The stored settings with the direction and option boxes as shown.
    SearchSettings shownSettings() const;

    SearchSettings m_settings;
    QComboBox *m_searchBox;

private:
    QString m_settingsPath;
    QGridLayout *m_texts;
    QHBoxLayout *m_lower;
    QVBoxLayout *m_options;
    QHBoxLayout *m_buttons;
    QRadioButton *m_up;
    QRadioButton *m_down;
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeWord;
    QCheckBox *m_noMatchZenkaku;
    QCheckBox *m_includeCrlf;
};
