#include "panels/panel_tabs.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace ze::panels {

namespace {

QPixmap BlankIcon() {
    QPixmap pixmap(PanelTabs::kIconSize, PanelTabs::kIconSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// Two screens joined by a cable.
QIcon LinkIcon() {
    QPixmap pixmap = BlankIcon();
    QPainter painter(&pixmap);
    painter.setPen(QColor(0, 0, 128));
    painter.setBrush(QColor(160, 200, 255));
    painter.drawRect(0, 1, 6, 5);
    painter.drawRect(9, 9, 6, 5);
    painter.setPen(QPen(QColor(0, 128, 0), 2));
    painter.drawLine(3, 7, 3, 11);
    painter.drawLine(3, 11, 8, 11);
    return QIcon(pixmap);
}

// A sheet with lines of name and value.
QIcon PropertyIcon() {
    QPixmap pixmap = BlankIcon();
    QPainter painter(&pixmap);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::white);
    painter.drawRect(1, 0, 13, 15);
    painter.setPen(QColor(0, 0, 160));
    for (int y = 3; y <= 12; y += 3) {
        painter.drawLine(3, y, 6, y);
        painter.drawLine(8, y, 12, y);
    }
    return QIcon(pixmap);
}

}  // namespace

PanelTabs::PanelTabs(QWidget* parent) : QTabBar(parent) {
    setIconSize(QSize(kIconSize, kIconSize));
    setShape(QTabBar::RoundedSouth);
    addTab(LinkIcon(), QCoreApplication::translate("Editor", "接続"));
    addTab(PropertyIcon(), QCoreApplication::translate("Editor", "プロパティー"));
}

}  // namespace ze::panels
