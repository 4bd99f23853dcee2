#include "app/editing/itemspage.h"

#include "app/common/texteditor.h"
#include "app/editing/focusfacts.h"
#include "app/editing/gridcelleditors.h"
#include "app/editing/itemgridview.h"
#include "app/editing/itemmediapanel.h"
#include "core/editing/gridclipboard.h"
#include "core/editing/gridrowcommands.h"
#include "core/editing/itemtablemodel.h"
#include "core/userinterface.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int pasteRefreshMs = 500;

// A scroll area that asks for no more height than its least: the part below
// the grid keeps the height the content editor gives it.
class CompactScrollArea : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override
    {
        return {QScrollArea::sizeHint().width(), minimumSizeHint().height()};
    }
};

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
    widget->setAccessibleDescription(hint);
}

} // namespace

ItemsPage::ItemsPage(UserInterface &ui, QWidget *parent)
    : QWidget(parent), m_ui(ui), m_model(new ItemTableModel(this)),
      m_grid(new ItemGridView(m_model, this)), m_content(new TextEditor(this)),
      m_media(new ItemMediaPanel(ui, this)), m_pasteTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("TabSheet_Sub_Item"));
    m_content->setObjectName(QStringLiteral("Memo_content"));
    m_content->setAccessibleName(QStringLiteral("概要/本文 (任意)"));

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("Splitter_Item"));
    splitter->addWidget(m_grid);
    // The row's media file beside its body.
    auto *below = new QWidget(splitter);
    auto *belowLayout = new QHBoxLayout(below);
    belowLayout->setContentsMargins(0, 0, 0, 0);
    belowLayout->setSpacing(0);
    belowLayout->addWidget(m_content, 1);
    // Scrolled rather than growing the part below the grid.
    auto *mediaScroll = new CompactScrollArea(below);
    mediaScroll->setObjectName(QStringLiteral("SB_ItemMedia"));
    mediaScroll->setFrameShape(QFrame::NoFrame);
    mediaScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mediaScroll->setWidgetResizable(true);
    mediaScroll->setWidget(m_media);
    mediaScroll->setMinimumWidth(m_media->sizeHint().width() +
                                 mediaScroll->verticalScrollBar()->sizeHint().width());
    belowLayout->addWidget(mediaScroll);
    splitter->addWidget(below);
    // The grid takes what the window gains; the part below keeps its
    // natural height.
    splitter->setStretchFactor(0, 3);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createToolBar());
    layout->addWidget(splitter, 1);

    m_grid->setKeyHandler([this](QKeyEvent *event) { return handleKey(event); });
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &ItemsPage::showPopupMenu);
    connect(m_grid, &ItemGridView::leftButtonPressed, this,
            [this] { leaveLineMode(LineMode::Exit::Current); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ItemsPage::currentCellChanged);
    connect(m_model, &ItemTableModel::edited, this, &ItemsPage::changed);
    connect(m_grid, &ItemGridView::editorTextEdited, this, &ItemsPage::typing);
    connect(m_content, &TextEditor::textChanged, this, &ItemsPage::contentEdited);
    connect(m_media, &ItemMediaPanel::edited, this, [this] {
        m_model->setExtras(m_contentRow, m_media->applyTo(m_model->gridRow(m_contentRow).extras));
    });

    // The clipboard can change in another program without a signal here.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &ItemsPage::refreshPasteButton);
    connect(m_pasteTimer, &QTimer::timeout, this, &ItemsPage::refreshPasteButton);
    m_pasteTimer->start(pasteRefreshMs);

    clearItems();
}

ItemsPage::~ItemsPage() = default;

QWidget *ItemsPage::createToolBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("PL_GridToolBar"));
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(new QLabel(QStringLiteral("(アイテム) "), bar));
    m_lineIns = addButton(bar, QStringLiteral("SB_LineIns"), {}, {});
    m_lineDelete = addButton(bar, QStringLiteral("SB_LineDelete"), {}, {});
    m_linePaste = addButton(bar, QStringLiteral("SB_LinePaste"), QStringLiteral("行貼付"),
                            QStringLiteral("現在の行に貼り付けます"));
    m_lineDown = addButton(bar, QStringLiteral("SB_LineDown2"), QStringLiteral("↓"),
                           QStringLiteral("下へ移動"));
    m_lineUp = addButton(bar, QStringLiteral("SB_LineUp2"), QStringLiteral("↑"),
                         QStringLiteral("上へ移動"));
    m_selectAll = addButton(bar, QStringLiteral("SB_SelectAll"), QStringLiteral("選択"),
                            QStringLiteral("ONで項目移動時に文字列が選択状態になります"));
    m_selectAll->setCheckable(true);
    layout->addStretch(1);

    connect(m_lineIns, &QToolButton::clicked, this, &ItemsPage::insertRowOrCopy);
    connect(m_lineDelete, &QToolButton::clicked, this, &ItemsPage::deleteRowOrCut);
    connect(m_linePaste, &QToolButton::clicked, this, [this] { gridCommand(GridCommand::Paste); });
    connect(m_lineDown, &QToolButton::clicked, this, [this] { moveRow(1); });
    connect(m_lineUp, &QToolButton::clicked, this, [this] { moveRow(-1); });
    connect(m_selectAll, &QToolButton::toggled, m_grid, &ItemGridView::setSelectOnMove);
    return bar;
}

QToolButton *ItemsPage::addButton(QWidget *bar, const QString &name, const QString &caption,
                                  const QString &hint)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(caption);
    setHint(button, hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    bar->layout()->addWidget(button);
    return button;
}

void ItemsPage::setChannelValues(std::function<ChannelSettings()> values)
{
    m_media->setChannelValues(values);
    m_model->setChannelValues(std::move(values));
}

void ItemsPage::setClock(const Clock &clock)
{
    m_model->setClock(clock);
}

void ItemsPage::showItems(const QList<FeedItem> &items)
{
    leaveLineMode(LineMode::Exit::Current);
    m_grid->discardEditor();
    m_model->load(items);
    // The last item stands about in the middle of the view.
    const int row = int(std::clamp<qsizetype>(items.size(), 1, GridRowCount)) - 1;
    m_grid->moveTo(row, m_grid->horizontalHeader()->logicalIndex(0));
    m_grid->centerRow(row);
    loadContentEditor();
    refreshButtons();
}

QList<FeedItem> ItemsPage::storeItems()
{
    m_grid->commitEditor();
    return m_model->store();
}

QList<FeedItem> ItemsPage::peekItems() const
{
    const auto typed = m_grid->typedText();
    return typed ? m_model->storeWithTyped(typed->first, typed->second) : m_model->store();
}

void ItemsPage::adoptGuids(const QList<FeedItem> &stored)
{
    m_model->adoptGuids(stored);
}

bool ItemsPage::hasTypedText() const
{
    return m_grid->typedText().has_value();
}

void ItemsPage::clearItems()
{
    showItems({});
}

bool ItemsPage::selectAllOnMove() const
{
    return m_selectAll->isChecked();
}

void ItemsPage::setSelectAllOnMove(bool on)
{
    m_selectAll->setChecked(on);
}

QString ItemsPage::statusText() const
{
    return GridStatusText(currentRow() + 1, m_model->hiddenItemCount());
}

int ItemsPage::currentRow() const
{
    return std::max(m_grid->currentIndex().row(), 0);
}

FocusFacts ItemsPage::focusFacts() const
{
    return ReadFocusFacts(QApplication::focusWidget(), m_grid, m_lineMode.isOn());
}

bool ItemsPage::gridCommand(GridCommand command)
{
    const GridAction action = GridCommandAction(command, focusFacts());
    switch (action) {
    case GridAction::None:
        return false;
    case GridAction::CopyRows:
        return copyRows();
    case GridAction::DeleteRows:
        return deleteSelectedRows();
    case GridAction::CutRows:
        return cutRows();
    case GridAction::PasteRows:
        return pasteRows();
    default:
        return runBoxAction(action);
    }
}

bool ItemsPage::runBoxAction(GridAction action)
{
    QWidget *focus = QApplication::focusWidget();
    QLineEdit *box = focus ? EditorTextField(focus) : nullptr;
    if (!box)
        return false;
    switch (action) {
    case GridAction::BoxSelectAll:
        box->selectAll();
        break;
    case GridAction::BoxCopy:
        box->copy();
        break;
    case GridAction::BoxDelete:
        box->del();
        break;
    case GridAction::BoxCut:
        box->cut();
        break;
    case GridAction::BoxPaste:
        box->paste();
        break;
    case GridAction::BoxUndo:
        box->undo();
        break;
    default:
        return false;
    }
    return true;
}

bool ItemsPage::handleKey(QKeyEvent *event)
{
    bool swallowed = false;
    switch (ClassifyGridKey(event->key(), event->modifiers())) {
    case GridKey::None:
        break;
    case GridKey::LeaveLineMode:
        swallowed = leaveLineMode(LineMode::Exit::Current);
        break;
    case GridKey::EnterLineMode:
        swallowed = enterLineMode();
        break;
    case GridKey::PasteRows:
        // A row paste that was refused must not end up as a cell paste.
        if (GridCommandAction(GridCommand::Paste, focusFacts()) == GridAction::PasteRows) {
            pasteRows();
            swallowed = true;
        } else {
            swallowed = gridCommand(GridCommand::Paste);
        }
        break;
    case GridKey::CopyRows:
        swallowed = gridCommand(GridCommand::Copy);
        break;
    case GridKey::DeleteRows:
        swallowed = m_lineMode.isOn() && gridCommand(GridCommand::Delete);
        break;
    case GridKey::CutRows:
        swallowed = m_lineMode.isOn() && gridCommand(GridCommand::Cut);
        break;
    case GridKey::LineInsert:
        insertRowOrCopy();
        swallowed = true;
        break;
    case GridKey::LineDelete:
        deleteRowOrCut();
        swallowed = true;
        break;
    case GridKey::MoveDown:
        moveRow(1);
        swallowed = true;
        break;
    case GridKey::MoveUp:
        moveRow(-1);
        swallowed = true;
        break;
    }
    refreshPasteButton();
    return swallowed;
}

bool ItemsPage::enterLineMode()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!m_lineMode.enter(current.column()))
        return false;
    m_grid->finishEditing();
    m_grid->setRowSelection(true);
    m_grid->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
    m_grid->setFocus();
    refreshButtons();
    return true;
}

bool ItemsPage::leaveLineMode(LineMode::Exit exit)
{
    const auto [top, bottom] = m_grid->selectedRowSpan();
    const QModelIndex current = m_grid->currentIndex();
    const std::optional<LineMode::Cell> cell =
        m_lineMode.leave(exit, top, bottom, {current.row(), current.column()});
    if (!cell)
        return false;
    m_grid->setRowSelection(false);
    m_grid->selectionModel()->clearSelection();
    m_grid->moveTo(cell->row, cell->column);
    m_grid->selectionModel()->select(m_grid->currentIndex(), QItemSelectionModel::ClearAndSelect);
    loadContentEditor();
    refreshButtons();
    return true;
}

void ItemsPage::insertRowOrCopy()
{
    if (m_lineMode.isOn()) {
        gridCommand(GridCommand::Copy);
        return;
    }
    rowOperation([this] { return InsertGridRows(*m_model, m_ui, currentRow(), 1); });
}

void ItemsPage::deleteRowOrCut()
{
    if (m_lineMode.isOn()) {
        gridCommand(GridCommand::Cut);
        return;
    }
    m_grid->commitEditor();
    if (m_ui.askYesNo(DeleteRowQuestion()) != UserInterface::Answer::Yes)
        return;
    rowOperation([this] { return m_model->deleteRows(currentRow(), currentRow()); });
}

void ItemsPage::moveRow(int step)
{
    if (m_lineMode.isOn())
        return;
    const QModelIndex current = m_grid->currentIndex();
    const bool moved = rowOperation([&] {
        return step > 0 ? m_model->moveRowDown(current.row()) : m_model->moveRowUp(current.row());
    });
    if (moved)
        m_grid->moveTo(current.row() + step, current.column());
}

bool ItemsPage::rowOperation(const std::function<bool()> &operation)
{
    // The cell being edited is written first; after the rows have moved its
    // editor would show another row's text, so it closes unwritten.
    m_grid->commitEditor();
    const bool done = operation();
    if (done)
        m_grid->discardEditor();
    loadContentEditor();
    refreshButtons();
    return done;
}

bool ItemsPage::copyRows()
{
    const auto [top, bottom] = m_grid->selectedRowSpan();
    const QString text =
        RowsToClipboardText(m_model->gridRows(top, bottom), m_grid->columnPositions());
    QGuiApplication::clipboard()->setText(text);
    // Another program may hold the clipboard; only a copy that arrived counts.
    return clipboardText() == text;
}

bool ItemsPage::deleteSelectedRows()
{
    const auto [top, bottom] = m_grid->selectedRowSpan();
    m_model->deleteRows(top, bottom);
    leaveLineMode(LineMode::Exit::Top);
    return true;
}

bool ItemsPage::cutRows()
{
    return copyRows() && deleteSelectedRows();
}

bool ItemsPage::pasteRows()
{
    return rowOperation([this] {
        return PasteGridRows(*m_model, m_ui, currentRow(), clipboardText(),
                             m_grid->columnPositions());
    });
}

void ItemsPage::currentCellChanged()
{
    if (currentRow() != m_contentRow)
        loadContentEditor();
    refreshButtons();
}

void ItemsPage::loadContentEditor()
{
    m_contentRow = currentRow();
    m_loadingContent = true;
    m_content->setText(m_model->gridRow(m_contentRow).desc);
    m_media->showItem(m_model->gridRow(m_contentRow).extras);
    m_loadingContent = false;
}

void ItemsPage::contentEdited()
{
    // Every change goes straight into the row, so nothing typed waits to be
    // stored when the row, the mode or the feed changes.
    if (!m_loadingContent)
        m_model->setDescription(m_contentRow, m_content->text());
}

void ItemsPage::refreshButtons()
{
    const GridButtonState state =
        GridButtonsState(m_lineMode.isOn(), currentRow() + 1, TextHoldsRows(clipboardText()));
    m_lineIns->setText(state.lineInsCaption);
    setHint(m_lineIns, state.lineInsHint);
    m_lineDelete->setText(state.lineDeleteCaption);
    setHint(m_lineDelete, state.lineDeleteHint);
    m_linePaste->setEnabled(state.pasteEnabled);
    m_lineDown->setEnabled(state.downEnabled);
    m_lineUp->setEnabled(state.upEnabled);
    Q_EMIT statusTextChanged(statusText());
}

void ItemsPage::refreshPasteButton()
{
    m_linePaste->setEnabled(TextHoldsRows(clipboardText()));
}

void ItemsPage::showPopupMenu(const QPoint &position)
{
    const EditCommandState state = PopupMenuState(focusFacts());
    QMenu menu(this);
    auto add = [&](const QString &caption, const QKeySequence &keys, bool enabled,
                   GridCommand command) {
        QAction *action = menu.addAction(caption);
        connect(action, &QAction::triggered, this, [this, command] { gridCommand(command); });
        action->setShortcut(keys);
        action->setEnabled(enabled);
    };
    add(QStringLiteral("元に戻す(&U)"), QKeySequence::Undo, state.undo, GridCommand::Undo);
    menu.addSeparator();
    add(QStringLiteral("切り取り(&T)"), QKeySequence::Cut, state.cut, GridCommand::Cut);
    add(QStringLiteral("コピー(&C)"), QKeySequence::Copy, state.copy, GridCommand::Copy);
    add(QStringLiteral("貼り付け(&P)"), QKeySequence::Paste, state.paste, GridCommand::Paste);
    add(QStringLiteral("削除(&D)"), {}, state.deleteSelection, GridCommand::Delete);
    menu.addSeparator();
    add(QStringLiteral("全て選択(&A)"), {}, state.selectAll, GridCommand::SelectAll);
    menu.exec(m_grid->viewport()->mapToGlobal(position));
}
