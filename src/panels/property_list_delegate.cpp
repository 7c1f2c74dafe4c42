#include "panels/property_list_delegate.h"

#include <QPainter>

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
    painter->restore();
}

}  // namespace ze::panels
