#pragma once

#include <QIcon>
#include <QPixmap>

#include "app/command_ids.h"
#include "link/link_indicator.h"

class QStyle;

namespace ze::app {

// The 16 × 16 link indicator of the status bar.
QPixmap LinkIndicatorPixmap(link::LinkIndicator state);

// The toolbar picture of a command; a null icon when it has none.
QIcon CommandIcon(CommandId id, const QStyle& style);

// The editor's own icon (window and about box).
QIcon EditorIcon();

}  // namespace ze::app
