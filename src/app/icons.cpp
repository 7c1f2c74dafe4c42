#include "app/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include "app/command_ids.h"

namespace ze::app {

namespace {

QPixmap Blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A lamp: a filled circle with a darker rim and a small highlight.
QPixmap Lamp(const QColor& colour) {
    QPixmap pixmap = Blank(16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(160), 1));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 150));
    painter.drawEllipse(QRectF(5, 4.5, 4, 3));
    return pixmap;
}

// Two stacked panels: the "Resource" bar (panel on the right) or the "Log"
// bar (panel at the bottom).
QIcon DockIcon(bool right) {
    QPixmap pixmap = Blank(16);
    QPainter painter(&pixmap);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(Qt::white);
    painter.drawRect(1, 2, 13, 11);
    painter.setBrush(QColor(70, 120, 200));
    if (right) {
        painter.drawRect(9, 2, 5, 11);
    } else {
        painter.drawRect(1, 9, 13, 4);
    }
    return QIcon(pixmap);
}

QIcon SendIcon() {
    QPixmap pixmap = Blank(16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(20, 110, 20), 1));
    painter.setBrush(QColor(60, 170, 60));
    QPainterPath arrow;
    arrow.moveTo(1.5, 5.5);
    arrow.lineTo(8.5, 5.5);
    arrow.lineTo(8.5, 2);
    arrow.lineTo(14.5, 8);
    arrow.lineTo(8.5, 14);
    arrow.lineTo(8.5, 10.5);
    arrow.lineTo(1.5, 10.5);
    arrow.closeSubpath();
    painter.drawPath(arrow);
    return QIcon(pixmap);
}

QIcon ClearLogIcon() {
    QPixmap pixmap = Blank(16);
    QPainter painter(&pixmap);
    painter.setPen(QColor(60, 60, 60));
    painter.setBrush(Qt::white);
    painter.drawRect(2, 1, 10, 13);
    painter.setPen(QColor(150, 150, 150));
    for (int y = 4; y <= 10; y += 3) {
        painter.drawLine(4, y, 10, y);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(210, 30, 30), 2));
    painter.drawLine(QPointF(8, 8), QPointF(14, 14));
    painter.drawLine(QPointF(14, 8), QPointF(8, 14));
    return QIcon(pixmap);
}

// A window with arrows out to its corners: the preview fills the window.
QIcon FitWindowIcon() {
    QPixmap pixmap = Blank(16);
    QPainter painter(&pixmap);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(Qt::white);
    painter.drawRect(1, 1, 13, 13);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(70, 120, 200), 1.5));
    for (const QPointF& corner : {QPointF(4, 4), QPointF(12, 4), QPointF(4, 12), QPointF(12, 12)}) {
        const QPointF inward((8 - corner.x()) / 2, (8 - corner.y()) / 2);
        painter.drawLine(corner, corner + inward);
        painter.drawLine(corner, corner + QPointF(inward.x(), 0));
        painter.drawLine(corner, corner + QPointF(0, inward.y()));
    }
    return QIcon(pixmap);
}

// A device: the preview at the device's own size.
QIcon DeviceSizeIcon() {
    QPixmap pixmap = Blank(16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(QColor(60, 60, 60));
    painter.drawRoundedRect(QRectF(3.5, 0.5, 9, 15), 1.5, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(5, 2.5, 6, 10));
    painter.drawEllipse(QRectF(7.25, 13.25, 1.5, 1.5));
    return QIcon(pixmap);
}

// Two boxes on a page: outlined only (the structure) or filled with colour
// (the device's look).
QIcon LookIcon(bool device) {
    QPixmap pixmap = Blank(16);
    QPainter painter(&pixmap);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(Qt::white);
    painter.drawRect(1, 1, 13, 13);
    if (device) {
        painter.fillRect(3, 3, 10, 4, QColor(70, 120, 200));
        painter.fillRect(3, 9, 10, 4, QColor(230, 150, 40));
    } else {
        painter.setPen(QColor(120, 120, 120));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(3, 3, 9, 3);
        painter.drawRect(3, 9, 9, 3);
    }
    return QIcon(pixmap);
}

// A phone and a tablet side by side.
QIcon DeviceListIcon() {
    QPixmap pixmap = Blank(16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(QColor(60, 60, 60));
    painter.drawRoundedRect(QRectF(0.5, 4.5, 6, 11), 1, 1);
    painter.drawRoundedRect(QRectF(7.5, 1.5, 8, 14), 1, 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.75, 6, 3.5, 8));
    painter.drawRect(QRectF(9, 3, 5, 11));
    return QIcon(pixmap);
}

// A magnifying glass with a plus (in) or a minus (out).
QIcon ZoomIcon(bool in) {
    QPixmap pixmap = Blank(16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
    painter.setPen(QPen(QColor(40, 40, 40), 1.2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    painter.setPen(QPen(QColor(70, 120, 200), 1.5));
    painter.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (in) {
        painter.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    }
    return QIcon(pixmap);
}

}  // namespace

QPixmap LinkIndicatorPixmap(link::LinkIndicator state) {
    switch (state) {
        case link::LinkIndicator::KeepAliveSent:
            return Lamp(QColor(240, 180, 20));
        case link::LinkIndicator::DeviceAnswered:
            return Lamp(QColor(40, 190, 60));
        case link::LinkIndicator::NoAnswer:
            break;
    }
    return Lamp(QColor(150, 150, 150));
}

QIcon CommandIcon(CommandId id, const QStyle& style) {
    switch (id) {
        case CommandId::kFileNew:
            return style.standardIcon(QStyle::SP_FileIcon);
        case CommandId::kFileOpen:
            return style.standardIcon(QStyle::SP_DialogOpenButton);
        case CommandId::kSaveProject:
            return style.standardIcon(QStyle::SP_DialogSaveButton);
        case CommandId::kRedraw:
            return style.standardIcon(QStyle::SP_BrowserReload);
        case CommandId::kClearLog:
            return ClearLogIcon();
        case CommandId::kViewResourcePanel:
            return DockIcon(true);
        case CommandId::kViewLogPane:
            return DockIcon(false);
        case CommandId::kSendDialog:
            return SendIcon();
        case CommandId::kViewFitWindow:
            return FitWindowIcon();
        case CommandId::kViewDeviceSize:
            return DeviceSizeIcon();
        case CommandId::kZoomIn:
            return ZoomIcon(true);
        case CommandId::kZoomOut:
            return ZoomIcon(false);
        case CommandId::kViewStructure:
            return LookIcon(false);
        case CommandId::kViewDeviceLook:
            return LookIcon(true);
        case CommandId::kViewDeviceList:
            return DeviceListIcon();
        default:
            return {};
    }
}

QIcon EditorIcon() {
    QPixmap pixmap = Blank(32);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(30, 60, 120), 1.5));
    painter.setBrush(QColor(235, 240, 250));
    painter.drawRoundedRect(QRectF(3, 3, 26, 26), 3, 3);
    painter.setBrush(QColor(70, 120, 200));
    painter.drawRect(QRectF(7, 7, 18, 5));
    painter.setBrush(QColor(255, 180, 40));
    painter.drawRect(QRectF(7, 15, 8, 10));
    painter.setBrush(QColor(60, 170, 60));
    painter.drawRect(QRectF(17, 15, 8, 10));
    return QIcon(pixmap);
}

}  // namespace ze::app
