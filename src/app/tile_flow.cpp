#include "app/tile_flow.h"

#include <algorithm>

namespace ze::app {

namespace {

TileFlow FlowAt(const std::vector<TileContent>& tiles, int width, int gap, int percent) {
    TileFlow flow;
    flow.zoomPercent = percent;
    int x = 0;
    int y = 0;
    int rowHeight = 0;
    for (const TileContent& tile : tiles) {
        const QSize page(ZoomedLength(tile.page.width(), percent),
                         ZoomedLength(tile.page.height(), percent));
        const QSize box(std::max(page.width(), tile.caption.width()),
                        tile.caption.height() + gap + page.height());
        if (x > 0 && x + box.width() > width) {
            x = 0;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        flow.boxes.emplace_back(QPoint(x, y), box);
        x += box.width() + gap;
        rowHeight = std::max(rowHeight, box.height());
        flow.extent = flow.extent.expandedTo(QSize(x - gap, y + rowHeight));
    }
    return flow;
}

bool Fits(const TileFlow& flow, QSize room) {
    return flow.extent.width() <= room.width() && flow.extent.height() <= room.height();
}

}  // namespace

int ZoomedLength(int length, int percent) {
    return (std::max(length, 0) * percent + 99) / 100;
}

TileFlow FlowTiles(const std::vector<TileContent>& tiles, QSize room, int gap, int minZoom,
                   int barWidth) {
    // Larger tiles never take fewer rows: the first zoom down from 100 %
    // that fits is the largest.
    for (int percent = 100; percent >= minZoom; --percent) {
        TileFlow flow = FlowAt(tiles, room.width(), gap, percent);
        if (Fits(flow, room)) {
            return flow;
        }
    }
    return FlowAt(tiles, room.width() - barWidth, gap, minZoom);
}

}  // namespace ze::app
