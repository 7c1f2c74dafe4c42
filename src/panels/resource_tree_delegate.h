#pragma once

#include <QStyledItemDelegate>

namespace ze::panels {

// Paints the resource tree's items with the colours of the model only. The
// panel's current item is what the model draws white on red; the view's own
// selection highlight and focus frame would cover those colours, so they are
// left out.
class ResourceTreeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace ze::panels
