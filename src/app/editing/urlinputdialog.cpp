#include "app/editing/urlinputdialog.h"

#include "app/common/hints.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox *pickList(const QString &name, const QStringList &items, int index)
{
    auto *box = new QComboBox;
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(qBound(0, index, int(items.size()) - 1));
    return box;
}

QPushButton *button(const QString &name, const QString &caption)
{
    auto *pushButton = new QPushButton(caption);
    pushButton->setObjectName(name);
    return pushButton;
}

} // namespace

UrlInputDialog::UrlInputDialog(Mode mode, const QString &prompt, const QStringList &candidates,
                               const UrlDialogValues &values, QWidget *parent)
    : QDialog(parent), m_mode(mode), m_prompt(new QLabel(prompt)), m_address(new QComboBox),
      m_newWindow(new QCheckBox(QStringLiteral("新しいウィンドウで表示"))),
      m_imagePanel(new QWidget), m_altText(new QLineEdit)
{
    setObjectName(QStringLiteral("TInputForm"));
    setWindowTitle(QStringLiteral("URL入力"));
    m_prompt->setObjectName(QStringLiteral("LB_Mess"));
    m_address->setObjectName(QStringLiteral("ComboBox"));
    m_address->setEditable(true);
    // Room for a whole address.
    m_address->setMinimumContentsLength(40);
    m_address->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_address->addItems(candidates);
    m_address->setEditText(mode == Mode::Link ? values.linkAddress : values.imageAddress);
    SetFieldLabel(m_prompt, m_address);
    m_newWindow->setObjectName(QStringLiteral("CB_NewWindow"));
    m_newWindow->setChecked(values.newWindow);
    m_newWindow->setVisible(mode == Mode::Link);

    m_imagePanel->setObjectName(QStringLiteral("PL_Img"));
    m_altText->setObjectName(QStringLiteral("ED_Text"));
    m_altText->setText(values.altText);
    m_border = pickList(QStringLiteral("CB_Waku"),
                        {QStringLiteral("無"), QStringLiteral("1px"), QStringLiteral("2px"),
                         QStringLiteral("3px"), QStringLiteral("4px"), QStringLiteral("5px")},
                        values.border);
    m_align = pickList(QStringLiteral("CB_Align"),
                       {QStringLiteral("無"), QStringLiteral("左寄せ"), QStringLiteral("右寄せ")},
                       values.align);
    auto *imageForm = new QFormLayout(m_imagePanel);
    imageForm->setContentsMargins(0, 0, 0, 0);
    imageForm->addRow(QStringLiteral("代替テキスト"), m_altText);
    imageForm->addRow(QStringLiteral("枠線"), m_border);
    imageForm->addRow(QStringLiteral("回り込み"), m_align);
    for (QWidget *field : {static_cast<QWidget *>(m_altText), static_cast<QWidget *>(m_border),
                           static_cast<QWidget *>(m_align)})
        SetFieldLabel(qobject_cast<QLabel *>(imageForm->labelForField(field)), field);
    m_imagePanel->setVisible(mode == Mode::Image);

    QPushButton *ok = button(QStringLiteral("OkBtn"), QStringLiteral("&OK"));
    QPushButton *cancel = button(QStringLiteral("CancelBtn"), QStringLiteral("キャンセル(&C)"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_address);
    layout->addWidget(m_newWindow);
    layout->addWidget(m_imagePanel);
    layout->addLayout(buttons);
    m_address->setFocus();
}

void UrlInputDialog::takeValues(UrlDialogValues &values) const
{
    (m_mode == Mode::Link ? values.linkAddress : values.imageAddress) = m_address->currentText();
    values.altText = m_altText->text();
    values.border = m_border->currentIndex();
    values.align = m_align->currentIndex();
    values.newWindow = m_newWindow->isChecked();
}

bool ShowUrlDialog(QWidget *parent, UrlInputDialog::Mode mode, const QString &caption,
                   const QString &prompt, const QStringList &candidates, UrlDialogValues &values)
{
    UrlInputDialog form(mode, prompt, candidates, values, parent);
    form.setWindowTitle(caption);
    const bool ok = form.exec() == QDialog::Accepted;
    form.takeValues(values);
    return ok;
}
