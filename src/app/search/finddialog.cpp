#include "app/search/finddialog.h"

#include <QComboBox>
#include <QPushButton>

FindDialog::FindDialog(const QString &settingsPath, const QString &initialText, QWidget *parent)
    : SearchDialog(QStringLiteral("検索"), settingsPath, parent), m_result(initialText)
{
    setObjectName(QStringLiteral("TFormSearch"));
    m_searchBox->setEditText(initialText.isEmpty() ? m_settings.searchItems.value(0) : initialText);
    QPushButton *ok = addButton(QStringLiteral("OkBtn"), QStringLiteral("OK"));
    QPushButton *cancel = addButton(QStringLiteral("CancelBtn"), QStringLiteral("キャンセル"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FindDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_searchBox->setFocus();
}

void FindDialog::okClicked()
{
    const QString text = m_searchBox->currentText();
    if (!text.isEmpty()) {
        m_result = text;
        RememberText(m_settings.searchItems, text);
    }
    saveSettings();
    accept();
}
