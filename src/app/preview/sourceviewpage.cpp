#include "app/preview/sourceviewpage.h"

#include "app/common/hints.h"
#include "app/common/texteditor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

SourceViewPage::SourceViewPage(QWidget *parent)
    : QWidget(parent), m_view(new QComboBox(this)), m_memo(new TextEditor(this)),
      m_findings(new QListWidget(this))
{
    setObjectName(QStringLiteral("SourceViewPage"));
    m_view->setObjectName(QStringLiteral("CB_View"));
    m_view->addItems({QStringLiteral("RSS"), QStringLiteral("HTML")});
    const QString hint = QStringLiteral("RSSとHTMLページの確認画面を切り替えます");
    m_view->setToolTip(hint);
    m_view->setStatusTip(hint);
    m_view->setAccessibleDescription(hint);
    auto *label = new QLabel(QStringLiteral("表示(&V):"), this);
    SetFieldLabel(label, m_view);

    m_memo->setObjectName(QStringLiteral("Memo"));
    m_memo->setReadOnly(true);
    m_memo->setAccessibleName(QStringLiteral("生成されたテキスト"));
    m_findings->setObjectName(QStringLiteral("LB_Findings"));
    m_findings->setAccessibleName(QStringLiteral("検査結果"));
    m_findings->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_view);
    top->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_memo, 1);
    layout->addWidget(m_findings);

    connect(m_view, &QComboBox::currentIndexChanged, this,
            [this](int index) { Q_EMIT viewChosen(SourceView(index)); });
    connect(m_findings, &QListWidget::currentRowChanged, this, [this](int row) {
        const int line = row >= 0 ? m_findings->item(row)->data(Qt::UserRole).toInt() : 0;
        if (line <= 0)
            return;
        m_memo->setSelection(line - 1, 0, line - 1, m_memo->lineLength(line - 1));
        m_memo->ensureLineVisible(line - 1);
    });
}

void SourceViewPage::showSource(SourceView view, const QString &text)
{
    {
        const QSignalBlocker quiet(m_view);
        m_view->setCurrentIndex(int(view));
    }
    m_memo->setText(text);
    m_findings->clear();
    m_findings->hide();
}

void SourceViewPage::showFindings(const FeedFindings &findings)
{
    m_findings->clear();
    for (const FeedFinding &finding : findings) {
        auto *item = new QListWidgetItem(FindingText(finding), m_findings);
        item->setData(Qt::UserRole, finding.line);
    }
    if (findings.isEmpty())
        new QListWidgetItem(QStringLiteral("問題は見つかりませんでした。"), m_findings);
    m_findings->show();
}

SourceView SourceViewPage::view() const
{
    return SourceView(m_view->currentIndex());
}
