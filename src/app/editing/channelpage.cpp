#include "app/editing/channelpage.h"

#include "app/common/pagewidgets.h"
#include "core/editing/feedpagebinding.h"
#include "core/userinterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int ShortText = 40;
constexpr int LongText = 255;
constexpr int DescriptionText = 500;

// Layouts, not boxes, hold a field with what stands beside it: the field
// stays beside its label in the widget tree, where screen readers look for
// the label.
QLayout *row(std::initializer_list<QWidget *> widgets)
{
    auto *layout = new QHBoxLayout;
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    return layout;
}

// A field with its note on a second line, wrapped when the page is narrow.
QLayout *withNoteBelow(QWidget *field, const QString &note)
{
    auto *layout = new QVBoxLayout;
    layout->addWidget(field);
    auto *label = new QLabel(note);
    label->setWordWrap(true);
    layout->addWidget(label);
    return layout;
}

// A label too long to share a line with its field: it takes a line of its
// own above it and wraps when the page is narrow, so that the page fits the
// window at its first size.
template <typename Field> void addWideRow(QFormLayout *form, QLabel *label, Field *field)
{
    label->setWordWrap(true);
    form->addRow(label);
    form->addRow(field);
}

} // namespace

ChannelPage::ChannelPage(QWidget *parent) : QWidget(parent)
{
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    for (QWidget *section : {buildTexts(), buildOutput(), buildSwitches(), buildPublishing(),
                             buildPodcast(), buildUpload()}) {
        // The page's own margins frame the sections.
        section->layout()->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(section);
    }
    layout->addStretch();
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
}

LimitedLineEdit *ChannelPage::addText(QString ChannelSettings::*member, const QString &objectName,
                                      int limit, const QString &hint)
{
    auto *edit = new LimitedLineEdit(objectName, limit);
    if (!hint.isEmpty())
        SetHint(edit, hint);
    connect(edit, &LimitedLineEdit::accepted, this, &ChannelPage::reportContentEdit);
    m_texts.append({member, edit});
    return edit;
}

QCheckBox *ChannelPage::addCheck(bool ChannelSettings::*member, const QString &objectName,
                                 const QString &caption, const QString &hint)
{
    auto *check = new QCheckBox(caption);
    m_switches.append({member, check});
    check->setObjectName(objectName);
    SetHint(check, hint);
    connect(check, &QCheckBox::toggled, this, &ChannelPage::reportContentEdit);
    return check;
}

QWidget *ChannelPage::buildTexts()
{
    auto *box = new QWidget;
    auto *form = new QFormLayout(box);
    const auto add = [&](QString ChannelSettings::*member, const QString &name, int limit,
                         const QString &label, const QString &hint) {
        LimitedLineEdit *edit = addText(member, name, limit, hint);
        form->addRow(fieldLabel(label, edit), edit);
    };
    // The notes beside a field: a short one on the field's line, the two
    // long address notes on a line below it.
    LimitedLineEdit *filename = addText(
        &ChannelSettings::filename, QStringLiteral("ED_FileName_Sub"), ShortText,
        QStringLiteral("チャンネルに使用するファイル名を指定します (拡張子は省略してください)"));
    form->addRow(fieldLabel(QStringLiteral("ファイル名(必須)"), filename),
                 row({filename, new QLabel(QStringLiteral("(拡張子は除きます)"))}));
    LimitedLineEdit *root =
        addText(&ChannelSettings::root, QStringLiteral("ED_Informer_RootAddress_Sub"), LongText,
                QStringLiteral("ファイル名を除くアドレスのパスのみを入力してください"));
    form->addRow(fieldLabel(QStringLiteral("ルートアドレス(必須)"), root),
                 withNoteBelow(root, QStringLiteral("http:// から[パス]のみ入力します")));
    LimitedLineEdit *src =
        addText(&ChannelSettings::src, QStringLiteral("ED_Informer_RssAddress_Sub"), LongText, {});
    form->addRow(
        fieldLabel(QStringLiteral("設置するアドレス(必須)"), src),
        withNoteBelow(src, QStringLiteral("http:// から[パス]のみ入力します "
                                          "(指定しない場合は[ルートアドレス]が適用されます")));
    add(&ChannelSettings::title, QStringLiteral("ED_Informer_Title_Sub"), ShortText,
        QStringLiteral("タイトル(必須)"),
        QStringLiteral("ホームページの名前や新着情報ページのタイトルを入力します"));
    LimitedLineEdit *link =
        addText(&ChannelSettings::link, QStringLiteral("ED_Informer_Address_Sub"), LongText,
                QStringLiteral("ホームページのトップページか新着情報ページのアドレスを入力します"));
    addWideRow(form,
               fieldLabel(QStringLiteral("ページアドレス http:// から入力します "
                                         "(指定しない場合は[HTMLパス][設置するアドレス][ルート]の"
                                         "順に適用されます)"),
                          link),
               link);
    add(&ChannelSettings::description, QStringLiteral("ED_Informer_Setumei_Sub"), DescriptionText,
        QStringLiteral("概要(必須)"), QStringLiteral("ホームページの概要を入力します。"));
    add(&ChannelSettings::creator, QStringLiteral("ED_Informer_Creator_Sub"), ShortText,
        QStringLiteral("作成者(任意)"), QStringLiteral("作成者や代表者を入力します"));

    auto *logo = new QGroupBox(QStringLiteral("ロゴ(任意)"));
    auto *logoForm = new QFormLayout(logo);
    const auto addLogo = [&](QString ChannelSettings::*member, const QString &name, int limit,
                             const QString &label, const QString &hint) {
        LimitedLineEdit *edit = addText(member, name, limit, hint);
        addWideRow(logoForm, fieldLabel(label, edit), edit);
    };
    addLogo(&ChannelSettings::logotitle, QStringLiteral("Edit_Logo_Title_Sub"), ShortText,
            QStringLiteral("タイトル(必須) ロゴのタイトルを入力します"),
            QStringLiteral("一般的にホームページの名前を簡素に入力します"));
    addLogo(&ChannelSettings::logosrc, QStringLiteral("Edit_Logo_Address_Sub"), LongText,
            QStringLiteral("ロゴのある[アドレスとファイル名](必須) http:// から入力します"),
            QStringLiteral("ロゴ(画像)の存在するアドレス(ファイル名を含む)を入力します"));
    addLogo(&ChannelSettings::logolink, QStringLiteral("Edit_Logo_Link_Sub"), LongText,
            QStringLiteral("ロゴをクリックしたときの[アドレス] http:// から入力します "
                           "(指定しない場合は[ルートアドレス]が適用されます)"),
            QStringLiteral("ホームページのトップページのアドレスを入力します"));
    form->addRow(logo);
    return box;
}

QWidget *ChannelPage::buildOutput()
{
    auto *box = new QWidget;
    auto *form = new QFormLayout(box);
    // The numbers and the language need no more than their own width.
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_ver = new RadioGroup(QStringLiteral("RadioGroup_Ext_Sub"), QStringLiteral("拡張子"),
                           {QStringLiteral("RSS1.0 - rdf"), QStringLiteral("RSS2.0 - xml")},
                           QStringLiteral("保存するRSSの拡張子(バージョン)を選択します"));
    connect(m_ver, &RadioGroup::chosen, this, &ChannelPage::reportContentEdit);
    form->addRow(m_ver);

    LimitedLineEdit *style = addText(
        &ChannelSettings::style, QStringLiteral("Edit_StyleSheet_Sub"), LongText,
        QStringLiteral("スタイルシートを使用する場合は相対アドレスか絶対アドレスで指定します"));
    addWideRow(
        form,
        fieldLabel(QStringLiteral("XSLスタイルシートの[アドレスとファイル名]を入力します"), style),
        style);

    m_localfolder =
        addText(&ChannelSettings::localfolder, QStringLiteral("Edit_RssSave_Sub"), LongText,
                QStringLiteral("ローカルに保存されているホームページのフォルダを指定"
                               "すればアップロードを一元管理できます(ファイル名を除く"
                               "パスのみ)"));
    QPushButton *localBrowse = browseButton(m_localfolder);
    localBrowse->setObjectName(QStringLiteral("BT_RssSave_Sub"));
    addWideRow(form,
               fieldLabel(QStringLiteral("ローカル保存先 (任意 指定しない場合はローカルには"
                                         "ファイルは作成されません)"),
                          m_localfolder),
               row({m_localfolder, localBrowse}));

    m_rssline = new NumberSpinBox(QStringLiteral("ED_RssLine_Sub"), MinFeedRssLine, MaxFeedRssLine);
    SetHint(m_rssline, QStringLiteral("出力するRSSのアイテム数 5～100の範囲でを入力します"));
    form->addRow(fieldLabel(QStringLiteral("出力するRSSのアイテム数"), m_rssline), m_rssline);

    m_language = new QComboBox;
    m_language->setObjectName(QStringLiteral("CB_language_Sub"));
    m_language->addItems(LanguageEntries);
    SetHint(m_language, QStringLiteral("使用する言語を指定します 通常は ja (日本語) です"));
    form->addRow(fieldLabel(QStringLiteral("言語"), m_language), m_language);
    connect(m_language, &QComboBox::activated, this, [this] {
        reportContentEdit(); // the language is part of the RSS file
        Q_EMIT toolStateChanged();
    });

    m_descstrmax =
        new NumberSpinBox(QStringLiteral("ED_DescStrMax_Sub"), MinDescStrMax, MaxDescStrMax);
    SetHint(m_descstrmax, QStringLiteral("出力する概要の文字数 0～9999文字の範囲でを入力します "
                                         "(ゼロは文字制限無し)"));
    QLabel *before = fieldLabel(QStringLiteral("概要項目はタグを除去して"), m_descstrmax);
    form->addRow(before, row({m_descstrmax, new QLabel(QStringLiteral("文字出力する"))}));
    for (NumberSpinBox *spin : {m_rssline, m_descstrmax})
        connect(spin, &QSpinBox::valueChanged, this, [this] {
            if (!m_filling)
                reportContentEdit();
        });
    return box;
}

QWidget *ChannelPage::buildSwitches()
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    auto *help = new QGroupBox(QStringLiteral("項目の入力支援"));
    auto *helpLayout = new QVBoxLayout(help);
    helpLayout->addWidget(
        addCheck(&ChannelSettings::dateset, QStringLiteral("CB_AutoData_Sub"),
                 QStringLiteral("日付を自動的にセットする"),
                 QStringLiteral("アイテムを入力するときに日付が空欄の場合は自動的にセットします")));
    helpLayout->addWidget(addCheck(
        &ChannelSettings::addressset, QStringLiteral("CB_AutoAddress_Sub"),
        QStringLiteral("リンクを自動的にセットする"),
        QStringLiteral("アイテムを入力するときにリンクが空欄の場合は自動的にセットします")));
    helpLayout->addWidget(addCheck(
        &ChannelSettings::creatorset, QStringLiteral("CB_AutoCreator_Sub"),
        QStringLiteral("作成者を自動的にセットする"),
        QStringLiteral("アイテムを入力するときに作成者が空欄の場合は自動的にセットします")));
    layout->addWidget(help);
    layout->addWidget(addCheck(&ChannelSettings::content, QStringLiteral("CB_Content_Sub"),
                               QStringLiteral("Contentモジュールを使用する"),
                               QStringLiteral("Content(本文)をRSSに含めるかどうかの設定")));
    m_htmllabel =
        addCheck(&ChannelSettings::htmllabel, QStringLiteral("CB_HtmlLabel_Sub"),
                 QStringLiteral("リンク項目が記入されていない場合はHTMLページのラベルを参照"),
                 QStringLiteral("HTMLページが使用できる場合のみ機能します"));
    layout->addWidget(m_htmllabel);
    return box;
}

QWidget *ChannelPage::buildUpload()
{
    auto *box = new QWidget;
    auto *grid = new QGridLayout(box);
    m_ftpTemplate = new QComboBox;
    m_ftpTemplate->setObjectName(QStringLiteral("LB_FtpServer_Sub"));
    SetHint(m_ftpTemplate,
            QStringLiteral("FTPサーバーによるアップロード機能を使用する場合は選択してください"));
    grid->addWidget(fieldLabel(QStringLiteral("FTPサーバー(任意)"), m_ftpTemplate), 0, 0);
    grid->addWidget(m_ftpTemplate, 0, 1, 1, 3);
    connect(m_ftpTemplate, &QComboBox::activated, this, [this] {
        applyUploadPathMode();
        Q_EMIT settingEdited();
        Q_EMIT toolStateChanged();
    });

    m_ftpfolder = new QLineEdit; // no length limit
    m_ftpfolder->setObjectName(QStringLiteral("ED_FTPFolderName_Sub"));
    SetHint(m_ftpfolder, QStringLiteral("RSSやHTMLを設置するサーバーのパスを入力します"));
    connect(m_ftpfolder, &QLineEdit::textEdited, this, [this] {
        reportContentEdit();
        Q_EMIT toolStateChanged();
    });
    m_uploadPathLabel = fieldLabel(UploadPathLabel(UploadPathMode::LocalFolder), m_ftpfolder);
    m_uploadPathLabel->setObjectName(QStringLiteral("LB_FTPFolderName_Sub"));
    m_uploadPathSlash = new QLabel(QStringLiteral("/"));
    m_uploadBrowse = browseButton(m_ftpfolder);
    m_uploadBrowse->setObjectName(QStringLiteral("BT_FTPFolderName_Sub"));
    grid->addWidget(m_uploadPathLabel, 1, 0);
    grid->addWidget(m_uploadPathSlash, 1, 1);
    grid->addWidget(m_ftpfolder, 1, 2);
    grid->addWidget(m_uploadBrowse, 1, 3);
    grid->addWidget(addCheck(&ChannelSettings::uploadmedia, QStringLiteral("CB_UploadMedia_Sub"),
                             QStringLiteral("メディアファイルも一緒にアップロードする"),
                             QStringLiteral("項目で「参照...」から選んだメディアファイルを、"
                                            "RSSより先に同じ場所へアップロードします")),
                    2, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    applyUploadPathMode();
    return box;
}

QPushButton *ChannelPage::browseButton(QLineEdit *field)
{
    auto *button = new QPushButton(QStringLiteral("参照..."));
    SetHint(button, QStringLiteral("ローカルフォルダを参照します"));
    connect(button, &QPushButton::clicked, this, [this, field] { browse(field); });
    return button;
}

void ChannelPage::setBrowsing(UserInterface *ui, const QString &projectFolder)
{
    m_ui = ui;
    m_projectFolder = projectFolder;
}

void ChannelPage::browse(QLineEdit *field)
{
    if (!m_ui)
        return;
    const QString start = field->text().isEmpty() ? m_projectFolder : field->text();
    const std::optional<QString> folder =
        m_ui->chooseFolder(QStringLiteral("フォルダの参照"), start);
    if (!folder)
        return;
    field->setText(*folder); // shown whole, even past the typing limit
    reportContentEdit();
    if (field == m_ftpfolder)
        Q_EMIT toolStateChanged();
}

void ChannelPage::applyUploadPathMode()
{
    FeedPageValues values;
    values.settings.ftptemplate = ChosenFtpTemplate(m_ftpEntries, m_ftpTemplate->currentIndex());
    const UploadPathMode mode = UploadPathModeFor(values);
    m_uploadPathLabel->setText(UploadPathLabel(mode));
    m_ftpfolder->setAccessibleName(UploadPathLabel(mode));
    m_uploadPathSlash->setVisible(mode == UploadPathMode::FtpPath);
    m_uploadBrowse->setVisible(mode == UploadPathMode::LocalFolder);
}

void ChannelPage::reportContentEdit()
{
    if (!m_filling)
        Q_EMIT contentEdited();
}

void ChannelPage::setFtpEntries(const QList<FtpTemplateEntry> &entries, int index)
{
    m_ftpEntries = entries;
    m_ftpTemplate->clear();
    for (const FtpTemplateEntry &entry : entries)
        m_ftpTemplate->addItem(FtpTemplateCaption(entry));
    m_ftpTemplate->setCurrentIndex(index);
    applyUploadPathMode();
}

void ChannelPage::setHtmlLabelEnabled(bool enabled)
{
    m_htmllabel->setEnabled(enabled);
}

void ChannelPage::setHtmlLabel(bool on)
{
    m_htmllabel->setChecked(on);
}

void ChannelPage::showValues(const FeedPageValues &values)
{
    const ChannelSettings &s = values.settings;
    m_filling = true;
    for (const TextField &field : std::as_const(m_texts))
        field.edit->setText(s.*field.member);
    m_ftpfolder->setText(s.ftpfolder);
    m_ver->setChoice(s.ver);
    m_rssline->showValue(s.rssline);
    m_descstrmax->showValue(s.descstrmax);
    m_language->setCurrentIndex(LanguageIndex(s.language));
    for (const Switch &check : std::as_const(m_switches))
        check.box->setChecked(s.*check.member);
    m_htmllabel->setEnabled(s.html);
    showPodcastChoices(s);
    setFtpEntries(values.ftpEntries, FtpTemplateIndex(values.ftpEntries, s.ftptemplate));
    m_filling = false;
}

void ChannelPage::storeValues(FeedPageValues &values) const
{
    ChannelSettings &s = values.settings;
    for (const TextField &field : m_texts)
        s.*field.member = field.edit->text();
    s.ftpfolder = m_ftpfolder->text();
    s.ver = m_ver->choice<RssVersion>();
    s.rssline = m_rssline->takenValue();
    s.descstrmax = m_descstrmax->takenValue();
    s.language = LanguageText(m_language->currentIndex());
    for (const Switch &check : m_switches)
        s.*check.member = check.box->isChecked();
    storePodcastChoices(s);
    values.ftpEntries = m_ftpEntries;
    s.ftptemplate = ChosenFtpTemplate(m_ftpEntries, m_ftpTemplate->currentIndex());
}
