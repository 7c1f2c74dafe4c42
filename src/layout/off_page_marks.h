#pragma once

#include <cstdint>
#include <vector>

#include "layout/canvas.h"

namespace ze {

class CObjectData;
class CZeDialogData;
class CZeResourceData;

// A selected element the page does not show: its red frame lies beside the
// page, or beyond the window, where nobody looks for it. An arrow at the
// page's edge points the way to it.
struct OffPageMark {
    Box arrow;  // inside the page, against the edge it points through
    ArrowDirection pointing = ArrowDirection::kRight;
    const CObjectData* element = nullptr;

    friend bool operator==(const OffPageMark&, const OffPageMark&) = default;
};

// The side of an arrow's box, in layout pixels.
inline constexpr std::int32_t kOffPageArrowSize = 14;

// The marks for the selected elements under root (a selected group stands
// for everything below it) whose preview rectangles, from the last paint,
// share no pixel with page.
std::vector<OffPageMark> OffPageMarks(const CObjectData& root, const Box& page);

// Draws the marks of the dialog as DrawPreview last laid it out in a client
// area of that size; after DrawPreview, over what it drew. The page is the
// one in sight, whichever page of a PAGE group is shown.
void DrawOffPageMarks(const CZeResourceData& project, const CZeDialogData& dialog, Canvas& canvas,
                      std::int32_t clientWidth, std::int32_t clientHeight);

}  // namespace ze
