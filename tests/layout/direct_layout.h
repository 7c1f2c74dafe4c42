#pragma once

#include <cstddef>
#include <cstdint>

#include "layout/canvas.h"
#include "layout/preview_layout.h"

namespace ze {

class CObjectData;
class CZeDialogData;
class CZeResourceData;

// The layout rules read straight from the elements at every step, with no
// cache: a group measures its children in each of its measures and itself
// twice in each place, so the work grows exponentially with the nesting.
// The yardstick the tests and the benchmark hold PreviewLayout to.
class DirectLayout {
public:
    explicit DirectLayout(const LayoutContext& context) : context_(context) {}

    LayoutSize Measure(const CObjectData& element, std::int32_t availWidth,
                       std::int32_t availHeight, bool parentVertical, bool topLevel);
    LayoutSize Place(Canvas& canvas, CObjectData& element, std::int32_t x, std::int32_t y,
                     std::int32_t availWidth, std::int32_t availHeight, bool parentVertical,
                     std::int32_t weightUnit, int pass);

    std::size_t MeasureEvaluations() const { return measureEvaluations_; }

private:
    LayoutSize MeasureObject(const CObjectData& object, std::int32_t availWidth,
                             std::int32_t availHeight, bool parentVertical);
    LayoutSize MeasureGroup(const CObjectData& group, std::int32_t availWidth,
                            std::int32_t availHeight, bool parentVertical, bool topLevel);
    LayoutSize PlaceObject(Canvas& canvas, CObjectData& object, std::int32_t x, std::int32_t y,
                           std::int32_t availWidth, std::int32_t availHeight, bool parentVertical,
                           std::int32_t weightUnit, int pass);
    LayoutSize PlaceGroup(Canvas& canvas, CObjectData& group, std::int32_t x, std::int32_t y,
                          std::int32_t availWidth, std::int32_t availHeight, bool parentVertical,
                          std::int32_t weightUnit, int pass);

    LayoutContext context_;
    std::size_t measureEvaluations_ = 0;
};

// DrawPreview with DirectLayout.
bool DrawPreviewDirectly(const CZeResourceData& project, CZeDialogData& dialog, Canvas& canvas,
                         std::int32_t clientWidth, std::int32_t clientHeight,
                         PreviewStats* stats = nullptr);

}  // namespace ze
