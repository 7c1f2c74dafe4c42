#pragma once

#include <QIcon>
#include <QPixmap>

class QStyle;

namespace ze::app {

// The 16 × 16 link indicator of the status bar: 0 no answer to the last
// keep-alive (grey), 1 keep-alive sent (amber), 2 the device answered
// (green).
QPixmap LinkIndicatorPixmap(int state);

// The toolbar picture of a command; a null icon when it has none.
QIcon CommandIcon(int id, const QStyle& style);

// The editor's own icon (window and about box).
QIcon EditorIcon();

}  // namespace ze::app
