#pragma once

#include <QStyledItemDelegate>

// Shows a feed whose edits are not yet uploaded in bold.
class TreeLabelDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
