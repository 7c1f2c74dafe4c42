#include "app/window_cascade.h"

#include <algorithm>

namespace ze::app {

namespace {

// Steps of the cascade in an area of unknown size.
constexpr int kUnboundedSteps = 8;

}  // namespace

QRect CascadeGeometry(const std::vector<QPoint>& taken, QSize preferred, QSize area, int step) {
    step = std::max(step, 1);
    QSize size = preferred;
    int steps = kUnboundedSteps;
    if (!area.isEmpty()) {
        size = preferred.boundedTo(area);
        const QSize room = area - size;
        steps = std::min(room.width(), room.height()) / step + 1;
    }
    const auto at = [step](int index) { return QPoint(index * step, index * step); };
    for (int index = 0; index < steps; ++index) {
        if (std::find(taken.begin(), taken.end(), at(index)) == taken.end()) {
            return {at(index), size};
        }
    }
    return {at(static_cast<int>(taken.size()) % steps), size};
}

}  // namespace ze::app
