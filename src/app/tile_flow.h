#pragma once

#include <QRect>
#include <QSize>
#include <vector>

namespace ze::app {

// One tile of the device list: the page it shows at 100 % and the caption
// above it, which keeps its own size whatever the zoom.
struct TileContent {
    QSize page;
    QSize caption;
};

// Where the tiles go: one zoom for all of them, so that the devices keep
// their sizes to one another, and each tile's box, caption and page below
// it, in rows from the left that wrap where the room ends.
struct TileFlow {
    int zoomPercent = 100;
    std::vector<QRect> boxes;
    // The room the boxes take, from (0, 0).
    QSize extent;
};

// The largest zoom from minZoom to 100 % at which every tile fits into
// room, gap pixels apart and between caption and page; minZoom when none
// does (the tiles then scroll). room is what there is without scroll bars;
// barWidth is taken off its width when the tiles have to scroll down.
TileFlow FlowTiles(const std::vector<TileContent>& tiles, QSize room, int gap, int minZoom,
                   int barWidth);

// A page length at zoom percent, rounded up as the view magnifies it.
int ZoomedLength(int length, int percent);

}  // namespace ze::app
