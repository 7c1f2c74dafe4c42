#include "panels/property_list_delegate.h"

#include <QPainter>

#include "panels/property_list_model.h"

namespace ze::panels {

void PropertyListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QRect rect = option.rect;
    painter->save();
    painter->fillRect(rect, index.data(Qt::BackgroundRole).value<QColor>());
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        const QRect textRect = rect.adjusted(kTextIndent, 0, 0, 0);
        const QString shown = option.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width());
        painter->setFont(option.font);
        painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
    if (index.data(PropertyListModel::kDropTargetRole).toBool()) {
        // The row an image dragged over the list would land on: one frame
        // around its three cells.
        const QRect frame = rect.adjusted(0, 0, -1, -1);
        painter->setPen(option.palette.color(QPalette::Highlight));
        painter->drawLine(frame.topLeft(), frame.topRight());
        painter->drawLine(frame.bottomLeft(), frame.bottomRight());
        if (index.column() == PropertyListModel::kKeyColumn) {
            painter->drawLine(frame.topLeft(), frame.bottomLeft());
        } else if (index.column() == PropertyListModel::kMarkerColumn) {
            painter->drawLine(frame.topRight(), frame.bottomRight());
        }
    }
    painter->restore();
}

}  // namespace ze::panels
