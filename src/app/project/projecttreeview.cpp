#include "app/project/projecttreeview.h"

#include "app/common/hints.h"
#include "app/project/treelabeldelegate.h"
#include "core/project/project.h"
#include "core/project/projecttreemodel.h"
#include "core/project/treeplacement.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>

namespace {

const QString nodeMimeType = QStringLiteral("application/x-brisklet-tree-node");
// The pointer travels this far with the button held before a drag starts.
constexpr int dragDistance = 6;
// Closer than this to the top or bottom edge, a drag scrolls the tree.
constexpr int scrollMargin = 5;

} // namespace

ProjectTreeView::ProjectTreeView(ProjectTreeModel &model, QWidget *parent)
    : QTreeView(parent), m_model(model), m_memo(new QLabel(this))
{
    setObjectName(QStringLiteral("TreeView"));
    SetHint(this, QStringLiteral("プロジェクトツリー 右クリックでフィードの追加などが可能です"));
    setAccessibleName(QStringLiteral("プロジェクトツリー"));
    header()->hide();
    setModel(&model);
    setItemDelegate(new TreeLabelDelegate(this));
    setIconSize(QSize(18, 20));
    // Double click belongs to the site page command; renaming is a command.
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setExpandsOnDoubleClick(false);
    setDragEnabled(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);

    m_memo->setObjectName(QStringLiteral("Memo_Tree"));
    m_memo->setText(QStringLiteral("まずはツールバーの[追加]か\nメニューの[プロジェクトツリー]\n"
                                   "[フィードの追加]でフィードを作成\nしてください。"));
    m_memo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_memo->setAccessibleName(m_memo->text());
    m_memo->setWordWrap(true);
    m_memo->setAttribute(Qt::WA_TransparentForMouseEvents);

    connect(&model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &parent) {
        expand(parent);
        updateMemo();
    });
    connect(&model, &QAbstractItemModel::rowsRemoved, this, &ProjectTreeView::updateMemo);
    connect(&model, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex &, int, int, const QModelIndex &destination) {
                expand(destination);
            });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] {
        expandAll();
        updateMemo();
    });
    expandAll();
    updateMemo();
}

ProjectNode *ProjectTreeView::currentNode() const
{
    return m_model.node(currentIndex());
}

void ProjectTreeView::setCurrentNode(const ProjectNode *node)
{
    if (!node)
        return;
    const QModelIndex index = m_model.indexOf(node);
    scrollTo(index);
    setCurrentIndex(index);
}

void ProjectTreeView::editCurrentNode()
{
    if (currentIndex().flags().testFlag(Qt::ItemIsEditable))
        edit(currentIndex());
}

ProjectNode *ProjectTreeView::nodeAt(const QPoint &pos) const
{
    return m_model.node(indexAt(pos));
}

void ProjectTreeView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTreeView::currentChanged(current, previous);
    Q_EMIT currentNodeChanged(m_model.node(current));
}

void ProjectTreeView::mousePressEvent(QMouseEvent *event)
{
    m_pressPos.reset();
    ProjectNode *pressed = nodeAt(event->position().toPoint());
    if (event->button() == Qt::RightButton) {
        // The pop-up menu acts on the node under the pointer.
        if (pressed)
            setCurrentNode(pressed);
        setFocus(Qt::MouseFocusReason);
        return;
    }
    QTreeView::mousePressEvent(event);
    // A drag starts only from a press on a node other than the root.
    if (event->button() == Qt::LeftButton && pressed && pressed == currentNode() &&
        CanDrag(m_model.project().root(), pressed))
        m_pressPos = event->position().toPoint();
}

void ProjectTreeView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressPos || !(event->buttons() & Qt::LeftButton))
        return QTreeView::mouseMoveEvent(event);
    const QPoint distance = event->position().toPoint() - *m_pressPos;
    if (qAbs(distance.x()) >= dragDistance || qAbs(distance.y()) >= dragDistance) {
        m_pressPos.reset();
        startDrag(currentNode());
    }
}

void ProjectTreeView::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressPos.reset();
    QTreeView::mouseReleaseEvent(event);
}

void ProjectTreeView::startDrag(ProjectNode *node)
{
    auto *data = new QMimeData;
    data->setData(nodeMimeType, QByteArray());
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(viewport()->grab(visualRect(currentIndex())));
    m_dragged = node;
    drag->exec(Qt::MoveAction);
    m_dragged = nullptr;
}

void ProjectTreeView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->source() == this && m_dragged && event->mimeData()->hasFormat(nodeMimeType))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ProjectTreeView::dragMoveEvent(QDragMoveEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (pos.y() < scrollMargin)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (pos.y() > viewport()->height() - scrollMargin)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ProjectNode *target = nodeAt(pos);
    if (m_dragged && target && target != m_dragged)
        event->acceptProposedAction();
    else
        event->ignore();
}

void ProjectTreeView::dropEvent(QDropEvent *event)
{
    ProjectNode *target = nodeAt(event->position().toPoint());
    if (!m_dragged || !target || target == m_dragged) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT nodeDropped(m_dragged, target, event->modifiers().testFlag(Qt::ShiftModifier));
}

void ProjectTreeView::contextMenuEvent(QContextMenuEvent *event)
{
    QPoint at = event->globalPos();
    if (event->reason() != QContextMenuEvent::Mouse)
        at = viewport()->mapToGlobal(visualRect(currentIndex()).bottomLeft());
    Q_EMIT popupRequested(at);
}

void ProjectTreeView::keyPressEvent(QKeyEvent *event)
{
    const bool plain =
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
        Qt::NoModifier;
    if (event->key() == Qt::Key_Delete && plain && state() != EditingState) {
        Q_EMIT deleteRequested();
        return;
    }
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (shiftF10 || event->key() == Qt::Key_Menu) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint());
        contextMenuEvent(&menu);
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ProjectTreeView::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    updateMemo();
}

void ProjectTreeView::updateMemo()
{
    m_memo->setVisible(m_model.project().root().childCount() == 0);
    // Below the root's line, over the empty part of the tree.
    const int top = viewport()->y() + sizeHintForRow(0) + 8;
    m_memo->setGeometry(4, top, width() - 8, m_memo->heightForWidth(width() - 8));
}
