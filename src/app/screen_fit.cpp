#include "app/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace ze::app {

namespace {

// Before the window manager has framed a window its frame is unknown: a
// title bar and thin borders.
QMargins FrameOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    if (window.isVisible() && frame != client) {
        return {client.left() - frame.left(), client.top() - frame.top(),
                frame.right() - client.right(), frame.bottom() - client.bottom()};
    }
    constexpr int kBorder = 4;
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + kBorder;
    return {kBorder, title, kBorder, kBorder};
}

}  // namespace

QRect FitWithin(const QRect& wanted, const QRect& available) {
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(),
                               available.left() + available.width() - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), available.top(),
                              available.top() + available.height() - fitted.height()));
    return fitted;
}

void PlaceWithinScreen(QWidget& window) {
    const QWidget* parent = window.parentWidget() != nullptr ? window.parentWidget()->window()
                                                             : nullptr;
    QScreen* screen = parent != nullptr ? parent->screen() : window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QMargins frame = FrameOf(window);
    QRect outer(QPoint(), window.size().grownBy(frame));
    outer.moveCenter(parent != nullptr && parent->isVisible() ? parent->frameGeometry().center()
                                                              : available.center());
    outer = FitWithin(outer, available);
    window.resize(outer.size().shrunkBy(frame));
    // A window's position is that of its frame.
    window.move(outer.topLeft());
}

}  // namespace ze::app
