#pragma once

#include <QStyledItemDelegate>

// Draws a node with the image of its kind (a feed being uploaded with the
// upload image) and a feed whose edits are not yet uploaded in bold.
class TreeLabelDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
