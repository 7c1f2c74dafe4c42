#include "panels/resource_tree_delegate.h"

namespace ze::panels {

void ResourceTreeDelegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
}

}  // namespace ze::panels
