#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>

namespace ze::app {

// What a dialog window lays its dialog out in.
enum class PreviewSizing {
    // The window's client area, whatever its size ("ウィンドウに合わせる").
    kFitWindow,
    // The project's device size; the window scrolls over it ("実寸").
    kDeviceSize,
};

// Where the preview lies in its window: the client size the dialog is laid
// out in, the zoom that magnifies it, the scroll offset into the magnified
// picture and the scroll bars that needs. Plain geometry in the window's
// pixels: the view gives it the window and device sizes and maps points
// through it, for painting and for hit tests alike.
//
// At 100 % in kFitWindow the layout fills the window exactly, so nothing
// scrolls and the window shows what it always showed.
class PreviewViewport {
public:
    static constexpr int kMinZoom = 25;
    static constexpr int kMaxZoom = 400;
    // DrawPreview keeps this much of the client area around the page on
    // every side; in kDeviceSize the page itself is the device's size.
    static constexpr int kPageMargin = 5;

    // The next zoom in (or out) from percent, on the ladder 25 … 400; the
    // end of the ladder stays where it is.
    static int ZoomStepIn(int percent);
    static int ZoomStepOut(int percent);

    // The window's whole client area, scroll bars included.
    void SetWindowSize(QSize size);
    void SetDeviceSize(QSize size);
    // The width of a vertical scroll bar and the height of a horizontal one.
    void SetScrollBarExtent(QSize extent);
    void SetSizing(PreviewSizing sizing);
    // Zooms to percent (held within kMinZoom … kMaxZoom) and scrolls so that
    // the spot of the layout under anchor (window pixels) stays under it, as
    // far as the scroll ranges allow.
    void ZoomAt(int percent, QPointF anchor);
    // Held within 0 … MaxOffset(). Zooming leaves a fraction of a pixel,
    // so that zooming to and fro keeps the spot exactly; the scroll bars
    // show it rounded.
    void SetOffset(QPointF offset);

    PreviewSizing Sizing() const { return sizing_; }
    int ZoomPercent() const { return zoom_; }
    double Scale() const { return zoom_ / 100.0; }
    QPointF Offset() const { return offset_; }
    QSize WindowSize() const { return window_; }

    // The client size DrawPreview lays the dialog out in.
    QSize LayoutSize() const;
    // The laid-out client area as magnified by the zoom.
    QSize ContentSize() const;
    bool HasHorizontalBar() const { return horizontalBar_; }
    bool HasVerticalBar() const { return verticalBar_; }
    // The part of the window the picture shows in: the window less the
    // scroll bars.
    QSize ViewportSize() const;
    // The scroll ranges; each starts at 0.
    QPoint MaxOffset() const;

    // A window point in the layout's pixels.
    QPointF ToLayout(QPointF windowPoint) const;
    // The layout pixel a window pixel shows.
    QPoint ToLayoutPixel(QPoint windowPoint) const;
    QPointF ToWindow(QPointF layoutPoint) const;

private:
    void Arrange();

    PreviewSizing sizing_ = PreviewSizing::kFitWindow;
    int zoom_ = 100;
    QSize window_{0, 0};
    QSize device_{1024, 800};
    QSize barExtent_{0, 0};
    QPointF offset_{0, 0};
    bool horizontalBar_ = false;
    bool verticalBar_ = false;
};

}  // namespace ze::app
