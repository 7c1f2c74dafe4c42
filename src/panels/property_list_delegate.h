#pragma once

#include <QStyledItemDelegate>

namespace ze::panels {

// Paints a property list cell the way the list always looked: the model's
// background filled edge to edge, the text on one line 2 pixels from the
// left edge in the model's text colour, cut with an ellipsis when too wide.
// The view's selection and focus decorations are not drawn; the current row
// shows only by its colours, the target row of an image drag by a frame.
class PropertyListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Room between a cell's left edge and its text.
    static constexpr int kTextIndent = 2;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace ze::panels
