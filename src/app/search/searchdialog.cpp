#include "app/search/searchdialog.h"

#include "app/common/hints.h"

#include "core/settings/inifile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

SearchDialog::SearchDialog(const QString &caption, const QString &settingsPath, QWidget *parent)
    : QDialog(parent), m_settingsPath(settingsPath), m_texts(new QGridLayout),
      m_lower(new QHBoxLayout), m_options(new QVBoxLayout), m_buttons(new QHBoxLayout)
{
    setWindowTitle(caption);
    IniFile ini;
    ini.load(settingsPath); // an unreadable file leaves the defaults
    m_settings = ReadSearchSettings(ini);

    auto *direction = new QGroupBox(QStringLiteral("検索方向"));
    direction->setObjectName(QStringLiteral("RG_Direction"));
    m_up = new QRadioButton(QStringLiteral("後方(&B)"));
    m_down = new QRadioButton(QStringLiteral("前方(&D)"));
    (m_settings.down ? m_down : m_up)->setChecked(true);
    auto *directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    auto *options = new QGroupBox(QStringLiteral("オプション"));
    options->setLayout(m_options);
    m_matchCase = addOption(QStringLiteral("chkMatchCase"), QStringLiteral("大/小文字の区別(&C)"));
    m_wholeWord = addOption(QStringLiteral("chkWholeWord"), QStringLiteral("単語単位で探す(&W)"));
    m_noMatchZenkaku = addOption(QStringLiteral("chkNoMatchZenkaku"),
                                 QStringLiteral("全角・半角を区別しない(&Z)"));
    m_includeCrlf =
        addOption(QStringLiteral("chkIncludeCRLF"), QStringLiteral("改行・スペースを無視(&L)"));
    m_matchCase->setChecked(m_settings.matchCase);
    m_wholeWord->setChecked(m_settings.wholeWord);
    m_noMatchZenkaku->setChecked(m_settings.noMatchZenkaku);
    m_includeCrlf->setChecked(m_settings.includeCrlf);

    m_lower->addWidget(direction);
    m_lower->addWidget(options);
    m_buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_texts);
    layout->addLayout(m_lower);
    layout->addLayout(m_buttons);

    m_searchBox = addTextBox(QStringLiteral("ComboBox1"), QStringLiteral("検索する文字列(&T):"));
    m_searchBox->addItems(m_settings.searchItems);
}

QComboBox *SearchDialog::addTextBox(const QString &name, const QString &label)
{
    auto *box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(30);
    auto *caption = new QLabel(label);
    SetFieldLabel(caption, box);
    const int row = m_texts->rowCount();
    m_texts->addWidget(caption, row, 0);
    m_texts->addWidget(box, row, 1);
    return box;
}

QCheckBox *SearchDialog::addOption(const QString &name, const QString &caption)
{
    auto *box = new QCheckBox(caption);
    box->setObjectName(name);
    m_options->addWidget(box);
    return box;
}

QPushButton *SearchDialog::addButton(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    m_buttons->addWidget(button);
    return button;
}

SearchSettings SearchDialog::shownSettings() const
{
    SearchSettings settings = m_settings;
    settings.down = m_down->isChecked();
    settings.matchCase = m_matchCase->isChecked();
    settings.wholeWord = m_wholeWord->isChecked();
    settings.noMatchZenkaku = m_noMatchZenkaku->isChecked();
    settings.includeCrlf = m_includeCrlf->isChecked();
    return settings;
}

SearchOptions SearchDialog::dialogOptions() const
{
    return shownSettings().options();
}

void SearchDialog::saveSettings()
{
    m_settings = shownSettings();
    IniFile ini;
    ini.load(m_settingsPath);
    WriteSearchSettings(ini, m_settings);
    // Like any preference, a history that cannot be written is only lost.
    ini.save(m_settingsPath);
}
