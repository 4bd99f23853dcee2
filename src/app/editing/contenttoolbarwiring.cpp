#include "app/editing/contenttoolbarwiring.h"

#include "app/common/hints.h"
#include "app/common/texteditor.h"
#include "app/editing/contenttoolbar.h"
#include "app/editing/feedpagewiring.h"
#include "app/editing/windoweditors.h"
#include "app/project/pageframe.h"
#include "core/project/project.h"
#include "core/project/workspace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QSplitter>
#include <QTabWidget>

namespace {

const QString holderName = QStringLiteral("PL_ContentEditor");

} // namespace

ContentToolBarWiring::ContentToolBarWiring(QWidget &window, Workspace &workspace, PageFrame &pages,
                                           FeedPageWiring &feedPages, QObject *parent)
    : QObject(parent), m_window(window), m_workspace(workspace), m_pages(pages),
      m_feedPages(feedPages), m_toolBar(new ContentToolBar), m_panel(new QWidget(&window)),
      m_label(new QLabel)
{
    m_panel->setObjectName(QStringLiteral("PL_Content"));
    m_panel->hide();
    m_label->setObjectName(QStringLiteral("LB_Content"));
    auto *layout = new QHBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_toolBar, 1);

    Settings &settings = workspace.settings;
    connect(m_toolBar->escapeLockAction(), &QAction::toggled, this,
            [&settings](bool on) { settings.escapeRock = on; });
    m_toolBar->setCandidateSource([&pages, &project = workspace.project] {
        // The channel page's fields reach the node when it is stored.
        pages.storeCurrentNode();
        const ProjectNode *node = project.currentNode();
        return node && node->data() ? CandidateAddresses(node->data()->settings) : QStringList();
    });
    connect(&pages, &PageFrame::nodeShown, this, &ContentToolBarWiring::place);
    connect(pages.tabs(), &QTabWidget::currentChanged, this, &ContentToolBarWiring::place);
    // The markup chosen on the HTML tab is the editors' at once.
    connect(&feedPages, &FeedPageWiring::toolStateChanged, this,
            &ContentToolBarWiring::adoptEditors);
    place();
}

void ContentToolBarWiring::readSettings()
{
    m_toolBar->setEscapeLock(m_workspace.settings.escapeRock);
}

void ContentToolBarWiring::adoptEditors()
{
    // The choice shows the feed's htmlmark, and what the user picked since.
    const Markup markup = m_feedPages.toolState().markup;
    for (const QString &name :
         {WindowEditor::memo, WindowEditor::content, WindowEditor::htmlTemplate}) {
        if (TextEditor *editor = FindWindowEditor(m_window, name)) {
            editor->setEscapeLock(m_toolBar->escapeLockAction());
            editor->setMarkup(markup);
        }
    }
}

void ContentToolBarWiring::place()
{
    adoptEditors();
    if (m_pages.currentWidget() != m_pages.tabs())
        return;
    const int tab = m_pages.tabs()->currentIndex();
    const QString name = tab == PageFrame::ItemTab   ? WindowEditor::content
                         : tab == PageFrame::HtmlTab ? WindowEditor::htmlTemplate
                                                     : QString();
    TextEditor *editor = name.isEmpty() ? nullptr : FindWindowEditor(m_window, name);
    QWidget *holder = editor ? holderOf(editor) : nullptr;
    if (!holder)
        return;
    // The label sits beside the editor in the widget tree, where screen
    // readers look for an editor's label.
    auto *top = static_cast<QBoxLayout *>(holder->layout()->itemAt(0)->layout());
    top->insertWidget(0, m_label);
    top->insertWidget(1, m_panel, 1);
    m_panel->show();
    if (tab == PageFrame::ItemTab) {
        m_label->setText(QStringLiteral("概要/本文 (任意) "));
        SetFieldLabel(m_label, editor);
    } else {
        m_label->clear();
        m_label->setBuddy(nullptr);
    }
    m_toolBar->setEditor(editor);
}

// The panel goes right above the editor: the editor gets a holder of its
// own in the place it had in its splitter or layout.
QWidget *ContentToolBarWiring::holderOf(TextEditor *editor)
{
    QWidget *parent = editor->parentWidget();
    if (!parent)
        return nullptr;
    if (parent->objectName() == holderName)
        return parent;
    auto *holder = new QWidget;
    holder->setObjectName(holderName);
    bool replaced = false;
    if (auto *splitter = qobject_cast<QSplitter *>(parent)) {
        replaced = splitter->replaceWidget(splitter->indexOf(editor), holder);
    } else if (QLayoutItem *old =
                   parent->layout() ? parent->layout()->replaceWidget(editor, holder) : nullptr) {
        delete old;
        replaced = true;
    }
    if (!replaced) {
        delete holder;
        return nullptr;
    }
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(new QHBoxLayout); // the label and the toolbar
    layout->addWidget(editor, 1);
    // Layouts show a new child only later, from the event loop.
    holder->show();
    editor->show();
    return holder;
}
