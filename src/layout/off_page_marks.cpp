#include "layout/off_page_marks.h"

#include <algorithm>

#include "layout/int32_math.h"
#include "layout/preview_layout.h"
#include "model/dialog_data.h"
#include "model/element_casts.h"
#include "model/object_data.h"

namespace ze {

namespace {

// Where along an edge from start, length long, an arrow centred on the
// element's middle goes, kept whole within the edge where it is long enough.
std::int32_t AlongEdge(std::int64_t middle, std::int32_t start, std::int32_t length) {
    const std::int64_t last = std::int64_t{start} + std::max(length - kOffPageArrowSize, 0);
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(middle - kOffPageArrowSize / 2, start, last));
}

// The mark of element when its rectangle shares no pixel with the page;
// the arrow goes through the edge it lies farther beyond.
bool MarkFor(const CObjectData& element, const Box& page, OffPageMark& mark) {
    const PreviewRect& r = element.GetPreviewRect();
    const std::int64_t pageRight = std::int64_t{page.x} + page.width;
    const std::int64_t pageBottom = std::int64_t{page.y} + page.height;
    const std::int64_t beyondLeft = std::int64_t{page.x} - r.right;
    const std::int64_t beyondRight = r.left - pageRight;
    const std::int64_t beyondTop = std::int64_t{page.y} - r.bottom;
    const std::int64_t beyondBottom = r.top - pageBottom;
    const std::int64_t across = std::max({beyondLeft, beyondRight, std::int64_t{-1}});
    const std::int64_t down = std::max({beyondTop, beyondBottom, std::int64_t{-1}});
    if (across < 0 && down < 0) {
        return false;
    }
    const std::int64_t middleX = (std::int64_t{r.left} + r.right) / 2;
    const std::int64_t middleY = (std::int64_t{r.top} + r.bottom) / 2;
    const std::int32_t size = kOffPageArrowSize;
    mark.element = &element;
    if (across >= down) {
        const bool right = beyondRight >= 0;
        mark.pointing = right ? ArrowDirection::kRight : ArrowDirection::kLeft;
        const std::int32_t x =
            right ? static_cast<std::int32_t>(pageRight - std::min(size, page.width)) : page.x;
        mark.arrow = Box{x, AlongEdge(middleY, page.y, page.height), size, size};
    } else {
        const bool below = beyondBottom >= 0;
        mark.pointing = below ? ArrowDirection::kDown : ArrowDirection::kUp;
        const std::int32_t y =
            below ? static_cast<std::int32_t>(pageBottom - std::min(size, page.height)) : page.y;
        mark.arrow = Box{AlongEdge(middleX, page.x, page.width), y, size, size};
    }
    return true;
}

}  // namespace

std::vector<OffPageMark> OffPageMarks(const CObjectData& root, const Box& page) {
    std::vector<OffPageMark> marks;
    std::vector<const CObjectData*> pending{&root};
    while (!pending.empty()) {
        const CObjectData* element = pending.back();
        pending.pop_back();
        if (!element->IsSelected()) {
            const auto children = ChildrenOf(*element);
            // Last first off the stack: the marks come in tree order.
            pending.insert(pending.end(), children.rbegin(), children.rend());
            continue;
        }
        OffPageMark mark;
        if (MarkFor(*element, page, mark)) {
            marks.push_back(mark);
        }
    }
    return marks;
}

void DrawOffPageMarks(const CZeResourceData& project, const CZeDialogData& dialog, Canvas& canvas,
                      std::int32_t clientWidth, std::int32_t clientHeight) {
    const CObjectDataList* root = dialog.GetRootGroup();
    if (root == nullptr) {
        return;
    }
    // Another page of a PAGE group moves the layout left, page by page;
    // the page in sight stays where the first one is.
    Box shown = PreviewPageOf(project, dialog, clientWidth, clientHeight).page;
    shown.x = int32_math::Add(shown.x, int32_math::Mul(dialog.GetCurrentPage(), shown.width));
    for (const OffPageMark& mark : OffPageMarks(*root, shown)) {
        canvas.FillArrow(mark.arrow, mark.pointing, preview_style::kSelectedFrame);
    }
}

}  // namespace ze
