#include "panels/pick_tree_view.h"

#include <QMouseEvent>

namespace ze::panels {

QItemSelectionModel::SelectionFlags PickTreeView::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
    if (event != nullptr && event->type() == QEvent::MouseButtonPress && held_.isValid() &&
        held_ == index) {
        return QItemSelectionModel::NoUpdate;
    }
    return QTreeView::selectionCommand(index, event);
}

void PickTreeView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool plain = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier;
    held_ = plain && index.isValid() && keepsPicks_ && keepsPicks_(index) ? index : QModelIndex();
    QTreeView::mousePressEvent(event);
}

void PickTreeView::mouseReleaseEvent(QMouseEvent* event) {
    // A drag ends inside the press: its release never comes here.
    const QModelIndex held = held_;
    held_ = QPersistentModelIndex();
    QTreeView::mouseReleaseEvent(event);
    if (held.isValid() && indexAt(event->position().toPoint()) == held) {
        emit PickReleased(held);
    }
}

}  // namespace ze::panels
