#include "treelabeldelegate.h"

#include "project/projecttreemodel.h"

void TreeLabelDelegate::initStyleOption(QStyleOptionViewItem *option,
                                        const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->font.setBold(index.data(ProjectTreeModel::ChangedMarkRole).toBool());
}
