#include "app/project/treelabeldelegate.h"

#include "app/project/treeicons.h"
#include "core/project/projecttreemodel.h"

#include <QWidget>

namespace {
constexpr int uploadImage = 3;
}

void TreeLabelDelegate::initStyleOption(QStyleOptionViewItem *option,
                                        const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->font.setBold(index.data(ProjectTreeModel::ChangedMarkRole).toBool());
    const int image = index.data(ProjectTreeModel::UploadingRole).toBool()
                          ? uploadImage
                          : index.data(ProjectTreeModel::KindRole).toInt();
    option->icon = TreeIcon(image);
    option->decorationSize = QSize(18, 20);
    // Where the keyboard is shows at a glance: the selection has the
    // highlight colour only while the tree has the focus, grey otherwise.
    if (option->widget && !option->widget->hasFocus()) {
        option->palette.setColor(QPalette::Highlight, option->palette.color(QPalette::Midlight));
        option->palette.setColor(QPalette::HighlightedText, option->palette.color(QPalette::Text));
    }
    if (!option->icon.isNull())
        option->features |= QStyleOptionViewItem::HasDecoration;
}
