#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace ze::app {

// Where a new editing window opens in the MDI area's visible part (area, its
// top-left corner at (0, 0)): on the first free step of a cascade from the
// corner, each step one title bar further right and down. The cascade holds
// as many steps as fit without the window sticking out; when every step is
// taken (a window's top-left corner lies there), the count of taken ones
// picks the step again. A window larger than the area is made as large as
// it. An empty area (a main window not laid out yet) fits any window.
QRect CascadeGeometry(const std::vector<QPoint>& taken, QSize preferred, QSize area, int step);

}  // namespace ze::app
