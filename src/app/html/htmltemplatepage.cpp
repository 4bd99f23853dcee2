#include "app/html/htmltemplatepage.h"

#include "app/common/pagewidgets.h"
#include "app/common/texteditor.h"
#include "core/html/templatefile.h"
#include "core/html/variablelist.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

HtmlTemplatePage::HtmlTemplatePage(QWidget *parent) : QWidget(parent)
{
    m_html = new QCheckBox(QStringLiteral("HTMLのページを作成する"));
    m_html->setObjectName(QStringLiteral("CB_Html_Sub"));
    SetHint(m_html, QStringLiteral("HTMLページを使用する場合はONです"));
    // The switch and the markup are part of the tool state.
    const auto toolStateEdited = [this] {
        reportContentEdit();
        Q_EMIT toolStateChanged();
    };
    connect(m_html, &QCheckBox::toggled, this, toolStateEdited);
    m_ext = new RadioGroup(QStringLiteral("RG_HtmlExt_Sub"), QStringLiteral("拡張子"),
                           {QStringLiteral(".html"), QStringLiteral(".htm")},
                           QStringLiteral("拡張子は稼働中のホームページと統一させます"));
    connect(m_ext, &RadioGroup::chosen, this, [this] {
        reportContentEdit();
        Q_EMIT extensionChosen();
    });
    m_mark = new RadioGroup(QStringLiteral("RG_HtrmlMark_Sub"), QStringLiteral("マークアップ言語"),
                            {QStringLiteral("xhtml"), QStringLiteral("html")},
                            QStringLiteral("入力するマークアップ言語を選択します。"));
    connect(m_mark, &RadioGroup::chosen, this, toolStateEdited);

    m_address = new QLabel;
    m_address->setObjectName(QStringLiteral("LB_HtmlUrl"));
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *save = new QPushButton(QStringLiteral("保存..."));
    save->setObjectName(QStringLiteral("BT_HtmlSave_Sub"));
    SetHint(save, QStringLiteral("HTMLテンプレートの保存"));
    connect(save, &QPushButton::clicked, this, &HtmlTemplatePage::saveTemplateRequested);
    auto *load = new QPushButton(QStringLiteral("読込..."));
    load->setObjectName(QStringLiteral("BT_HtmlLoad_Sub"));
    SetHint(load, QStringLiteral("HTMLテンプレートを読み込む"));
    connect(load, &QPushButton::clicked, this, &HtmlTemplatePage::loadTemplateRequested);

    m_editor = new TextEditor;
    m_editor->setObjectName(QStringLiteral("ED_Html_Script_Sub"));
    SetHint(m_editor, QStringLiteral("この画面でHTMLページを作成します"));
    m_editor->setAccessibleName(QStringLiteral("HTMLテンプレート"));
    connect(m_editor, &TextEditor::textChanged, this, &HtmlTemplatePage::reportContentEdit);

    m_variables = new QListWidget;
    m_variables->setObjectName(QStringLiteral("HtmlScriptList"));
    SetHint(m_variables, QStringLiteral("変数を選択挿入できます"));
    m_variables->setAccessibleName(QStringLiteral("変数"));
    for (const QString &line : HtmlVariableListLines()) {
        const QStringList fields = line.split(u'\t');
        auto *item = new QListWidgetItem(fields.value(0), m_variables);
        item->setData(Qt::UserRole, fields.value(1));
    }
    // Enter, and a double click, activate a line.
    connect(m_variables, &QListWidget::activated, this, &HtmlTemplatePage::insertVariable);

    auto *top = new QHBoxLayout;
    top->addWidget(m_html);
    top->addWidget(m_ext);
    top->addWidget(m_mark);
    top->addStretch();
    top->addWidget(save);
    top->addWidget(load);
    auto *splitter = new QSplitter;
    splitter->addWidget(m_editor);
    splitter->addWidget(m_variables);
    splitter->setStretchFactor(0, 3);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_address);
    layout->addWidget(splitter, 1);
}

void HtmlTemplatePage::insertVariable(const QModelIndex &index)
{
    m_editor->replaceSelectedText(index.data(Qt::UserRole).toString());
    m_editor->setFocus();
}

void HtmlTemplatePage::reportContentEdit()
{
    if (!m_filling)
        Q_EMIT contentEdited();
}

void HtmlTemplatePage::setPageAddress(const QString &text, bool known)
{
    m_address->setText(text);
    m_address->setEnabled(known);
}

void HtmlTemplatePage::showValues(const FeedPageValues &values)
{
    const ChannelSettings &v = values.settings;
    m_filling = true;
    m_html->setChecked(v.html);
    m_ext->setChoice(v.htmlext);
    m_mark->setChoice(v.htmlmark);
    m_editor->setText(v.htmlscript);
    // Undo never reaches back into the feed shown before.
    m_editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    m_filling = false;
}

void HtmlTemplatePage::storeValues(FeedPageValues &values) const
{
    ChannelSettings &v = values.settings;
    v.html = m_html->isChecked();
    v.htmlext = m_ext->choice<PageExtension>();
    v.htmlmark = m_mark->choice<Markup>();
    v.htmlscript = m_editor->text();
}

void HtmlTemplatePage::loadTemplate(const HtmlTemplateSettings &settings, bool applySettings,
                                    const QString &script)
{
    if (applySettings) {
        m_ext->setChoice(settings.htmlext);
        m_mark->setChoice(settings.htmlmark);
    }
    m_editor->beginUndoAction();
    m_editor->selectAll();
    m_editor->replaceSelectedText(script);
    m_editor->endUndoAction();
    reportContentEdit();
}
