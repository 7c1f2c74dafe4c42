#include "panels/focus_ring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <QRegion>

namespace ze::panels {

FocusRing* FocusRing::Attach(QWidget& target) {
    return new FocusRing(target);
}

QColor FocusRing::Colour() {
    return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

FocusRing::FocusRing(QWidget& target) : QWidget(&target), target_(target) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    target_.installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this] { Follow(); });
}

void FocusRing::Follow() {
    QWidget* focus = QApplication::focusWidget();
    const bool focused = focus != nullptr && (focus == &target_ || target_.isAncestorOf(focus));
    if (!focused) {
        hide();
        return;
    }
    const QRect area = target_.rect();
    if (geometry() != area) {
        setGeometry(area);
        const QRect inner = area.adjusted(kWidth, kWidth, -kWidth, -kWidth);
        setMask(QRegion(area).subtracted(QRegion(inner)));
    }
    // Above the viewport, scroll bars and cells the target may have made
    // since.
    raise();
    show();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &target_ && event->type() == QEvent::Resize && isVisible()) {
        Follow();
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Colour());
}

}  // namespace ze::panels
