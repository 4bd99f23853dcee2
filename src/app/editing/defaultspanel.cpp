#include "app/editing/defaultspanel.h"

#include "app/common/pagewidgets.h"
#include "app/common/texteditor.h"
#include "app/editing/publishingswitches.h"
#include "app/publish/ftptemplatedialog.h"
#include "core/editing/feedpagebinding.h"
#include "core/publish/ftptemplatecommands.h"
#include "core/publish/ftptemplatefolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

DefaultsPanel::DefaultsPanel(UserInterface &ui, const FtpTemplatePlaces &ftpPlaces, QWidget *parent)
    : QWidget(parent), m_ui(ui), m_ftpPlaces(ftpPlaces), m_ftpFolder(ftpPlaces.templateFolder)
{
    auto *group = new QGroupBox(QStringLiteral("初期値"));
    auto *form = new QFormLayout(group);
    m_ver = new RadioGroup(QStringLiteral("RadioGroup_Ext"), QStringLiteral("拡張子"),
                           {QStringLiteral("RSS1.0 - rdf"), QStringLiteral("RSS2.0 - xml")},
                           QStringLiteral("保存するRSSの拡張子(バージョン)を選択します"));
    connect(m_ver, &RadioGroup::chosen, this, &DefaultsPanel::reportEdit);
    form->addRow(m_ver);

    m_rssline = new NumberSpinBox(QStringLiteral("ED_RssLine"), MinDefaultsRssLine, MaxFeedRssLine);
    SetHint(m_rssline, QStringLiteral("出力するRSSのアイテム数 5～100の範囲でを入力します"));
    form->addRow(fieldLabel(QStringLiteral("出力するRSSのアイテム数"), m_rssline), m_rssline);
    m_descstrmax = new NumberSpinBox(QStringLiteral("ED_DescStrMax"), MinDescStrMax, MaxDescStrMax);
    SetHint(m_descstrmax, QStringLiteral("出力する概要の文字数 0～9999文字の範囲でを入力します "
                                         "(ゼロは文字制限無し)"));
    // A layout keeps the box beside its label in the widget tree.
    auto *descRow = new QHBoxLayout;
    descRow->addWidget(m_descstrmax);
    descRow->addWidget(new QLabel(QStringLiteral("文字出力する")));
    form->addRow(fieldLabel(QStringLiteral("概要項目はタグを除去して"), m_descstrmax), descRow);
    for (NumberSpinBox *spin : {m_rssline, m_descstrmax})
        connect(spin, &QSpinBox::valueChanged, this, &DefaultsPanel::reportEdit);

    m_language = new QComboBox;
    m_language->setObjectName(QStringLiteral("CB_language"));
    m_language->addItems(LanguageEntries);
    SetHint(m_language, QStringLiteral("使用する言語を指定します 通常は ja (日本語) です"));
    connect(m_language, &QComboBox::activated, this, &DefaultsPanel::reportEdit);
    form->addRow(fieldLabel(QStringLiteral("言語"), m_language), m_language);

    auto *help = new QGroupBox(QStringLiteral("項目の入力支援"));
    auto *helpLayout = new QVBoxLayout(help);
    m_checks << addCheck(QStringLiteral("CB_AutoData"), QStringLiteral("日付を自動的にセットする"),
                         QStringLiteral("アイテムを入力するときに日付が空欄の場合は自動的に"
                                        "セットします"))
             << addCheck(QStringLiteral("CB_AutoAddress"),
                         QStringLiteral("リンクを自動的にセットする"),
                         QStringLiteral("アイテムを入力するときにアドレスが空欄の場合は自動的に"
                                        "セットします"))
             << addCheck(QStringLiteral("CB_AutoCreator"),
                         QStringLiteral("作成者を自動的にセットする"),
                         QStringLiteral("アイテムを入力するときに作成者が空欄の場合は自動的に"
                                        "セットします"));
    for (QCheckBox *check : std::as_const(m_checks))
        helpLayout->addWidget(check);
    form->addRow(help);
    m_checks << addCheck(QStringLiteral("CB_Content"),
                         QStringLiteral("Contentモジュールを使用する"),
                         QStringLiteral("Content(本文)をRSSに含めるかどうかの設定"));
    form->addRow(m_checks.last());
    m_checks << addCheck(QStringLiteral("CB_SelfLink"), SelfLinkCaption(), SelfLinkHint());
    form->addRow(m_checks.last());
    m_checks << addCheck(QStringLiteral("CB_ItemGuid"), ItemGuidCaption(), ItemGuidHint());
    form->addRow(m_checks.last());
    form->addRow(buildTemplateRow());

    m_memo = new TextEditor;
    m_memo->setObjectName(QStringLiteral("Editor"));
    SetHint(m_memo, QStringLiteral("配信スケジュールや待機状態の情報などのメモとして使用します"));
    connect(m_memo, &TextEditor::textChanged, this, &DefaultsPanel::reportEdit);
    // Scrolled when the window is small rather than making the window's
    // least height.
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->addWidget(group);
    layout->addWidget(fieldLabel(QStringLiteral("配信スケジュールなどの覚え書き"), m_memo));
    layout->addWidget(m_memo, 1);
    auto *scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
}

QCheckBox *DefaultsPanel::addCheck(const QString &objectName, const QString &caption,
                                   const QString &hint)
{
    auto *check = new QCheckBox(caption);
    check->setObjectName(objectName);
    SetHint(check, hint);
    connect(check, &QCheckBox::toggled, this, &DefaultsPanel::reportEdit);
    return check;
}

QWidget *DefaultsPanel::buildTemplateRow()
{
    auto *box = new QWidget;
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_ftpTemplate = new QComboBox;
    m_ftpTemplate->setObjectName(QStringLiteral("LB_FtpServer"));
    SetHint(m_ftpTemplate,
            QStringLiteral("FTPサーバーによるアップロード機能のデフォルトを選択してください"));
    connect(m_ftpTemplate, &QComboBox::activated, this, [this] {
        updateTemplateButtons();
        reportEdit();
    });
    const auto addButton = [&](const QString &name, const QString &caption, const QString &hint,
                               void (DefaultsPanel::*run)()) {
        auto *button = new QPushButton(caption);
        button->setObjectName(name);
        SetHint(button, hint);
        connect(button, &QPushButton::clicked, this, run);
        return button;
    };
    QPushButton *edit =
        addButton(QStringLiteral("SB_FtpTemplate"), QStringLiteral("編集/追加(&E)..."),
                  QStringLiteral("テンプレートを作成/編集します"), &DefaultsPanel::editTemplate);
    m_rename =
        addButton(QStringLiteral("ReNameBtn"), QStringLiteral("名前の変更(&R)..."),
                  QStringLiteral("テンプレートの名前を変更します"), &DefaultsPanel::renameTemplate);
    m_delete =
        addButton(QStringLiteral("DelBtn"), QStringLiteral("削除(&D)..."),
                  QStringLiteral("テンプレートを削除します"), &DefaultsPanel::deleteTemplate);
    layout->addWidget(fieldLabel(QStringLiteral("FTPサーバー(任意)"), m_ftpTemplate));
    layout->addWidget(m_ftpTemplate, 1);
    for (QPushButton *button : {edit, m_rename, m_delete})
        layout->addWidget(button);
    return box;
}

void DefaultsPanel::fillTemplates(const QString &chosen)
{
    m_ftpEntries = FtpTemplateEntries(FtpTemplateNames(m_ftpFolder), chosen);
    m_ftpTemplate->clear();
    for (const FtpTemplateEntry &entry : std::as_const(m_ftpEntries))
        m_ftpTemplate->addItem(FtpTemplateCaption(entry));
    m_ftpTemplate->setCurrentIndex(FtpTemplateIndex(m_ftpEntries, chosen));
    updateTemplateButtons();
}

QString DefaultsPanel::chosenTemplate() const
{
    return ChosenFtpTemplate(m_ftpEntries, m_ftpTemplate->currentIndex());
}

void DefaultsPanel::updateTemplateButtons()
{
    const int index = m_ftpTemplate->currentIndex();
    // A template missing here has no file to rename or delete.
    const bool onFile = index > 0 && !m_ftpEntries.value(index).missing;
    m_rename->setEnabled(onFile);
    m_delete->setEnabled(onFile);
}

void DefaultsPanel::templatesChanged(const QString &chosen)
{
    fillTemplates(chosen);
    reportEdit();
    Q_EMIT ftpTemplatesChanged();
}

void DefaultsPanel::editTemplate()
{
    const int index = m_ftpTemplate->currentIndex();
    const QString selected = m_ftpEntries.value(index).missing ? QString() : chosenTemplate();
    FtpTemplateDialog form(m_ui, m_ftpPlaces, selected, window());
    if (form.exec() == QDialog::Accepted)
        templatesChanged(form.savedName());
}

void DefaultsPanel::renameTemplate()
{
    if (const std::optional<QString> name = RenameFtpTemplate(m_ui, m_ftpFolder, chosenTemplate()))
        templatesChanged(*name);
}

void DefaultsPanel::deleteTemplate()
{
    if (DeleteFtpTemplate(m_ui, m_ftpFolder, chosenTemplate()))
        templatesChanged(QString());
}

void DefaultsPanel::reportEdit()
{
    if (!m_filling)
        Q_EMIT settingEdited();
}

void DefaultsPanel::showDefaults(const ProjectDefaults &d)
{
    m_filling = true;
    m_ver->setChoice(ShownChoice(d.ver));
    m_rssline->showValue(d.rssline);
    m_descstrmax->showValue(d.descstrmax);
    m_language->setCurrentIndex(LanguageIndex(d.language));
    const QList<bool> switches{d.dateset, d.addressset, d.creatorset,
                               d.content, d.selflink,   d.itemguid};
    for (int i = 0; i < m_checks.size(); ++i)
        m_checks.at(i)->setChecked(switches.at(i));
    fillTemplates(d.ftptemplate);
    m_memo->setText(d.memo);
    m_filling = false;
}

void DefaultsPanel::storeDefaults(ProjectDefaults &d) const
{
    d.ver = m_ver->choice<RssVersion>();
    d.rssline = m_rssline->takenValue();
    d.descstrmax = m_descstrmax->takenValue();
    d.language = LanguageText(m_language->currentIndex());
    d.dateset = m_checks.at(0)->isChecked();
    d.addressset = m_checks.at(1)->isChecked();
    d.creatorset = m_checks.at(2)->isChecked();
    d.content = m_checks.at(3)->isChecked();
    d.selflink = m_checks.at(4)->isChecked();
    d.itemguid = m_checks.at(5)->isChecked();
    d.ftptemplate = chosenTemplate();
    d.memo = m_memo->text();
}
