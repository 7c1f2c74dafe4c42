#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace ze::app {

// wanted moved (and shrunk where it is larger) so that it lies within
// available.
QRect FitWithin(const QRect& wanted, const QRect& available);

// Places a top-level window that is about to be shown: over the middle of
// its parent window (else of the screen), within the available part of the
// screen, with its frame (the window manager's, estimated before the window
// has one) inside too.
void PlaceWithinScreen(QWidget& window);

}  // namespace ze::app
