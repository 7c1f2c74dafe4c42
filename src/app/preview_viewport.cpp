#include "app/preview_viewport.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ze::app {

namespace {

// The stops of the zoom keys and of one wheel notch.
constexpr std::array<int, 12> kZoomLadder = {25, 33, 50, 67, 75, 100, 125, 150, 200, 250, 300, 400};

int Magnified(int length, int percent) {
    // Rounded up, so the last layout pixel can always be scrolled into view.
    return (std::max(length, 0) * percent + 99) / 100;
}

}  // namespace

int PreviewViewport::ZoomStepIn(int percent) {
    const auto next = std::upper_bound(kZoomLadder.begin(), kZoomLadder.end(), percent);
    return next == kZoomLadder.end() ? kMaxZoom : *next;
}

int PreviewViewport::ZoomStepOut(int percent) {
    const auto next = std::lower_bound(kZoomLadder.begin(), kZoomLadder.end(), percent);
    return next == kZoomLadder.begin() ? kMinZoom : *std::prev(next);
}

void PreviewViewport::SetWindowSize(QSize size) {
    window_ = size.expandedTo(QSize(0, 0));
    Arrange();
}

void PreviewViewport::SetDeviceSize(QSize size) {
    device_ = size.expandedTo(QSize(0, 0));
    Arrange();
}

void PreviewViewport::SetScrollBarExtent(QSize extent) {
    barExtent_ = extent.expandedTo(QSize(0, 0));
    Arrange();
}

void PreviewViewport::SetSizing(PreviewSizing sizing) {
    sizing_ = sizing;
    Arrange();
}

void PreviewViewport::ZoomAt(int percent, QPointF anchor) {
    const QPointF spot = ToLayout(anchor);
    zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
    Arrange();
    SetOffset(spot * Scale() - anchor);
}

void PreviewViewport::SetOffset(QPointF offset) {
    const QPoint most = MaxOffset();
    offset_ = QPointF(std::clamp(offset.x(), 0.0, qreal(most.x())),
                      std::clamp(offset.y(), 0.0, qreal(most.y())));
}

QSize PreviewViewport::LayoutSize() const {
    if (sizing_ == PreviewSizing::kFitWindow) {
        return window_;
    }
    return device_ + QSize(2 * kPageMargin, 2 * kPageMargin);
}

QSize PreviewViewport::ContentSize() const {
    const QSize layout = LayoutSize();
    return {Magnified(layout.width(), zoom_), Magnified(layout.height(), zoom_)};
}

QSize PreviewViewport::ViewportSize() const {
    const QSize bars(verticalBar_ ? barExtent_.width() : 0,
                     horizontalBar_ ? barExtent_.height() : 0);
    return (window_ - bars).expandedTo(QSize(0, 0));
}

QPoint PreviewViewport::MaxOffset() const {
    const QSize room = ContentSize() - ViewportSize();
    return {std::max(room.width(), 0), std::max(room.height(), 0)};
}

QPointF PreviewViewport::ToLayout(QPointF windowPoint) const {
    return (windowPoint + offset_) / Scale();
}

QPoint PreviewViewport::ToLayoutPixel(QPoint windowPoint) const {
    const QPointF point = ToLayout(QPointF(windowPoint));
    return {static_cast<int>(std::floor(point.x())), static_cast<int>(std::floor(point.y()))};
}

QPointF PreviewViewport::ToWindow(QPointF layoutPoint) const {
    return layoutPoint * Scale() - offset_;
}

void PreviewViewport::Arrange() {
    const QSize content = ContentSize();
    // A bar takes room from the other direction and may make the other bar
    // needed too; a second look settles it.
    horizontalBar_ = false;
    verticalBar_ = false;
    for (int look = 0; look < 2; ++look) {
        const QSize room = ViewportSize();
        horizontalBar_ = horizontalBar_ || content.width() > room.width();
        verticalBar_ = verticalBar_ || content.height() > room.height();
    }
    SetOffset(offset_);
}

}  // namespace ze::app
