#include "app/editing/contenttoolbar.h"

#include "app/common/texteditor.h"
#include "app/editing/urlinputdialog.h"

#include <QFocusEvent>
#include <QMenu>
#include <QToolButton>

ContentToolBar::ContentToolBar(QWidget *parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("ToolBar_Content"));
    addCommand(QStringLiteral("ToolButton1"), QStringLiteral("B"), QStringLiteral("b"),
               [this] { wrap(QStringLiteral("b")); });
    addCommand(QStringLiteral("ToolButton2"), QStringLiteral("I"), QStringLiteral("i"),
               [this] { wrap(QStringLiteral("i")); });
    addCommand(QStringLiteral("ToolButton3"), QStringLiteral("U"), QStringLiteral("u"),
               [this] { wrap(QStringLiteral("u")); });
    addSeparator();
    addCommand(QStringLiteral("ToolButton11"), QStringLiteral("中"), QStringLiteral("center"),
               [this] { align(QStringLiteral("center")); });
    addCommand(QStringLiteral("ToolButton12"), QStringLiteral("左"), QStringLiteral("left"),
               [this] { align(QStringLiteral("left")); });
    addCommand(QStringLiteral("ToolButton13"), QStringLiteral("右"), QStringLiteral("right"),
               [this] { align(QStringLiteral("right")); });
    addSonotaMenu();
    addSeparator();
    addCommand(QStringLiteral("ToolButton5"), QStringLiteral("リンク"), {},
               [this] { insertLink(); });
    addCommand(QStringLiteral("ToolButton14"), QStringLiteral("画像"), {},
               [this] { insertImage(); });
    addSeparator();
    addCommand(QStringLiteral("TB_Left"), QStringLiteral(" <"), {},
               [this] { insertEscape(EscapeButton::Left); });
    addCommand(QStringLiteral("TB_Right"), QStringLiteral(" >"), {},
               [this] { insertEscape(EscapeButton::Right); });
    addCommand(QStringLiteral("TB_Amp"), QStringLiteral(" &&"), {},
               [this] { insertEscape(EscapeButton::Amp); });
    addCommand(QStringLiteral("TB_Space"), QStringLiteral(" 空白"), {},
               [this] { insertEscape(EscapeButton::Space); });
    addCommand(QStringLiteral("TB_Break"), QStringLiteral(" 改行"), {},
               [this] { insertEscape(EscapeButton::Break); });
    m_escapeLock = addCommand(QStringLiteral("TB_EscapeRock"), QStringLiteral("ロック"),
                              QStringLiteral("エスケープ処理をロックします"), {});
    m_escapeLock->setCheckable(true);
    updateState();
}

QAction *ContentToolBar::addCommand(const QString &name, const QString &caption,
                                    const QString &hint, const std::function<void()> &command)
{
    QAction *action = addAction(caption);
    action->setObjectName(name);
    action->setToolTip(hint.isEmpty() ? action->iconText() : hint);
    action->setStatusTip(hint);
    widgetForAction(action)->setObjectName(name);
    widgetForAction(action)->setAccessibleDescription(hint);
    if (command)
        connect(action, &QAction::triggered, this, command);
    return action;
}

void ContentToolBar::addSonotaMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu_Sonota"));
    const auto item = [&](const QString &name, const QString &caption, const QString &hint,
                          const std::function<void()> &command) {
        QAction *action = menu->addAction(caption, this, command);
        action->setObjectName(name);
        action->setToolTip(hint);
        action->setStatusTip(hint);
    };
    item(QStringLiteral("N28"), QStringLiteral("引用(&B)"), QStringLiteral("blockquote"),
         [this] { wrap(QStringLiteral("blockquote")); });
    item(QStringLiteral("L1"), QStringLiteral("リスト(&L)"), {}, [this] {
        if (m_editor)
            m_editor->insertContent(ListBlock(m_editor->markup(), selection()));
    });
    item(QStringLiteral("S2"), QStringLiteral("取り消し線(&S)"), QStringLiteral("s"),
         [this] { wrap(QStringLiteral("s")); });
    QAction *sonota = addCommand(QStringLiteral("ToolButton4"), QStringLiteral(" その他"), {}, {});
    sonota->setMenu(menu);
    qobject_cast<QToolButton *>(widgetForAction(sonota))->setPopupMode(QToolButton::InstantPopup);
}

void ContentToolBar::setEditor(TextEditor *editor)
{
    if (m_editor)
        m_editor->removeEventFilter(this);
    m_editor = editor;
    if (editor) {
        editor->installEventFilter(this);
        connect(editor, &QsciScintilla::selectionChanged, this, &ContentToolBar::updateState,
                Qt::UniqueConnection);
        connect(editor, &QsciScintilla::textChanged, this, &ContentToolBar::updateState,
                Qt::UniqueConnection);
    }
    updateState();
}

bool ContentToolBar::escapeLock() const
{
    return m_escapeLock->isChecked();
}

void ContentToolBar::setEscapeLock(bool on)
{
    m_escapeLock->setChecked(on);
}

void ContentToolBar::updateState()
{
    const bool enabled =
        m_editor && ContentToolbarEnabled(m_editor->hasFocus(), m_editor->hasSelectedText());
    for (QAction *action : actions())
        action->setEnabled(enabled);
}

bool ContentToolBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor) {
        switch (event->type()) {
        case QEvent::FocusOut:
            // The menu of " その他" takes the focus only while it is open.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::PopupFocusReason)
                break;
            updateState();
            break;
        case QEvent::FocusIn:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
            updateState();
            break;
        default:
            break;
        }
    }
    return QToolBar::eventFilter(watched, event);
}

QString ContentToolBar::selection() const
{
    return m_editor ? m_editor->selectedText() : QString();
}

void ContentToolBar::wrap(const QString &tag)
{
    if (m_editor)
        m_editor->insertContent(WrapInTag(tag, selection()));
}

void ContentToolBar::align(const QString &hint)
{
    if (m_editor)
        m_editor->insertContent(AlignBlock(hint, selection()));
}

void ContentToolBar::insertLink()
{
    if (!m_editor)
        return;
    m_urlValues.newWindow = true;
    if (ShowUrlDialog(this, UrlInputDialog::Mode::Link, QStringLiteral("リンクの設定"),
                      QStringLiteral("リンクを設定するURLを入力してください"),
                      m_candidates ? m_candidates() : QStringList(), m_urlValues))
        m_editor->insertContent(LinkInsertion(m_urlValues, selection()));
}

void ContentToolBar::insertImage()
{
    if (!m_editor)
        return;
    if (ShowUrlDialog(this, UrlInputDialog::Mode::Image, QStringLiteral("画像の設定"),
                      QStringLiteral("画像のURLを入力してください"),
                      m_candidates ? m_candidates() : QStringList(), m_urlValues))
        m_editor->insertContent(ImageInsertion(m_urlValues, m_editor->markup()));
}

void ContentToolBar::insertEscape(EscapeButton button)
{
    if (m_editor)
        m_editor->insertAsTyped(EscapeText(button, escapeLock(), m_editor->markup()));
}
