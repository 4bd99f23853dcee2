#include "treelabeldelegate.h"

#include "project/projecttreemodel.h"
#include "treeicons.h"

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
    if (!option->icon.isNull())
        option->features |= QStyleOptionViewItem::HasDecoration;
}
