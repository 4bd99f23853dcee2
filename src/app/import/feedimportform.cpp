#include "app/import/feedimportform.h"

#include "app/common/hints.h"
#include "core/userinterface.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

template <typename Widget> Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// The radio button is the field's label: the field is named by its caption.
void nameAfter(QLineEdit *field, const QRadioButton *choice)
{
    field->setAccessibleName(choice->text().remove(u'&'));
}

} // namespace

FeedImportForm::FeedImportForm(UserInterface &ui, const QString &startFolder, QWidget *parent)
    : QDialog(parent), m_ui(ui), m_startFolder(startFolder),
      m_fromFile(named(new QRadioButton(u"ファイル(&I)"_s), u"RB_FeedFile"_s)),
      m_fromAddress(named(new QRadioButton(u"アドレス(&U)"_s), u"RB_FeedAddress"_s)),
      m_file(named(new QLineEdit, u"ED_FeedFile"_s)),
      m_address(named(new QLineEdit, u"ED_FeedAddress"_s)),
      m_browse(named(new QPushButton(u"参照(&B)..."_s), u"SB_FeedBrowse"_s)),
      m_ok(named(new QPushButton(u"&OK"_s), u"OkBtn"_s))
{
    setObjectName(u"FeedImportForm"_s);
    setWindowTitle(u"フィードの読み込み"_s);
    m_fromFile->setChecked(true);
    nameAfter(m_file, m_fromFile);
    nameAfter(m_address, m_fromAddress);
    m_file->setMinimumWidth(360);
    m_address->setPlaceholderText(u"https://"_s);
    SetHint(m_fromFile, u"フィードをファイルから読み込みます"_s);
    SetHint(m_fromAddress, u"フィードをWebのアドレス（http または https）から読み込みます"_s);
    SetHint(m_browse, u"読み込むフィードのファイルを選びます"_s);
    SetHint(m_ok, u"フィードを読み込み、新しいフィードとして追加します"_s);
    auto *cancel = named(new QPushButton(u"キャンセル(&C)"_s), u"CancelBtn"_s);
    SetHint(cancel, u"フィードを読み込まずに閉じます"_s);
    m_ok->setDefault(true);

    auto *grid = new QGridLayout;
    grid->addWidget(m_fromFile, 0, 0);
    grid->addWidget(m_file, 0, 1);
    grid->addWidget(m_browse, 0, 2);
    grid->addWidget(m_fromAddress, 1, 0);
    grid->addWidget(m_address, 1, 1, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(m_browse, &QPushButton::clicked, this, &FeedImportForm::browse);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QRadioButton *choice : {m_fromFile, m_fromAddress})
        connect(choice, &QRadioButton::toggled, this, &FeedImportForm::refresh);
    for (QLineEdit *field : {m_file, m_address})
        connect(field, &QLineEdit::textChanged, this, &FeedImportForm::refresh);
    // Typing into a field chooses it.
    connect(m_address, &QLineEdit::textEdited, m_fromAddress,
            [this] { m_fromAddress->setChecked(true); });
    connect(m_file, &QLineEdit::textEdited, m_fromFile, [this] { m_fromFile->setChecked(true); });
    refresh();
    m_file->setFocus();
}

QString FeedImportForm::source() const
{
    return (m_fromFile->isChecked() ? m_file : m_address)->text().trimmed();
}

void FeedImportForm::browse()
{
    const std::optional<QString> path = m_ui.chooseOpenFile(
        {u"フィードの読み込み"_s,
         u"フィード(*.xml;*.rdf;*.rss;*.atom)|*.xml;*.rdf;*.rss;*.atom|すべてのファイル(*.*)|*"_s,
         u"xml"_s, m_startFolder, QString()});
    if (!path)
        return;
    m_file->setText(*path);
    m_fromFile->setChecked(true);
}

void FeedImportForm::refresh()
{
    m_ok->setEnabled(!source().isEmpty());
}
