#include "app/search/replacedialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

ReplaceDialog::ReplaceDialog(const QString &settingsPath, QWidget *parent)
    : SearchDialog(QStringLiteral("置換"), settingsPath, parent)
{
    setObjectName(QStringLiteral("TFormReplace"));
    m_replaceBox = addTextBox(QStringLiteral("ComboBox2"), QStringLiteral("置換える文字列(&R):"));
    m_replaceBox->addItems(m_settings.replaceItems);
    m_searchBox->setEditText(m_settings.searchItems.value(0));
    m_replaceBox->setEditText({});
    m_confirm =
        addOption(QStringLiteral("chkReplaceConfirm"), QStringLiteral("置換え動作の確認(&P)"));
    m_confirm->setChecked(true);

    QPushButton *ok = addButton(QStringLiteral("OkBtn"), QStringLiteral("OK"));
    QPushButton *all = addButton(QStringLiteral("AllBtn"), QStringLiteral("すべて置換(&A)"));
    QPushButton *cancel = addButton(QStringLiteral("CancelBtn"), QStringLiteral("キャンセル"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { finish(SearchFlag::Replace); });
    connect(all, &QPushButton::clicked, this, [this] { finish(SearchFlag::ReplaceAll); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_searchBox->setFocus();
}

void ReplaceDialog::finish(SearchOptions command)
{
    m_search = m_searchBox->currentText();
    m_replace = m_replaceBox->currentText();
    RememberText(m_settings.searchItems, m_search);
    RememberText(m_settings.replaceItems, m_replace);
    saveSettings();
    m_options = dialogOptions() | command | (m_confirm->isChecked() ? SearchFlag::Confirm : 0);
    accept();
}
