#pragma once

#include <optional>

#include "model/editing/drop_edits.h"
#include "model/object_data.h"

namespace ze {

class CZeDialogData;

// Where an object or group dropped on a dialog's preview lands, and the line
// that shows it: across the group at the gap between two children (or at a
// group's edge), in layout pixels. The line is a rectangle one pixel thick
// along the group's direction.
struct PreviewLanding {
    DropPlace place;
    PreviewRect line;
};

// The landing for a drop at layout point (x, y) of dialog's last painted
// preview: in the innermost group under the point, at the gap among that
// group's children nearest the point along the group's direction (down for
// a "Vertical" group, across for any other). dragged (null for a new
// element) is left out: its own place is no gap, and the point never lands
// in it or below it. Nothing when the point is outside the root group.
std::optional<PreviewLanding> PreviewDropLanding(CZeDialogData& dialog, std::int32_t x,
                                                 std::int32_t y, const ZeClass* dragged);

// The row an image dropped on element goes to: shownRow when that is one of
// element's image rows, else element's first image row; -1 when element has
// no image row.
int ImageDropRow(const ZeClass& element, int shownRow);

}  // namespace ze
