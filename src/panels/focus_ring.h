#pragma once

#include <QColor>
#include <QWidget>

namespace ze::panels {

// A band in the highlight colour along the edge of a widget while the
// keyboard focus is in it. The styles mark the focus faintly (a dotted line
// round a button, a frame a shade lighter), which is lost on the tree's
// colours and the preview's checkered background. The ring is a child of
// the widget on top of everything in it, masked to the band, so it neither
// takes clicks nor covers what the widget shows inside it, and the widget
// looks as before while it has no focus.
class FocusRing : public QWidget {
public:
    static constexpr int kWidth = 2;

    // Puts a ring on target; the ring belongs to target.
    static FocusRing* Attach(QWidget& target);
    // The ring's colour: the application's highlight.
    static QColor Colour();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit FocusRing(QWidget& target);
    // Shown while the focus widget is the target or inside it, over the
    // target's whole rectangle.
    void Follow();

    QWidget& target_;
};

}  // namespace ze::panels
