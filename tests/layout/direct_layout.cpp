#include "layout/direct_layout.h"

#include <algorithm>
#include <string>

#include "layout/int32_math.h"
#include "layout/mo_unit.h"
#include "layout/text_values.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/schema.h"

namespace ze {

using namespace int32_math;

namespace {

const std::vector<CObjectData*>& ChildrenOf(const CObjectData& group) {
    return static_cast<const CObjectDataList&>(group).GetChildren();
}

std::int32_t WeightOf(const CObjectData& element) {
    return DecimalValue(element.GetItem("Weight"));
}

std::int32_t ChildWeights(const CObjectData& group) {
    std::int32_t sum = 0;
    for (const CObjectData* child : ChildrenOf(group)) {
        sum = Add(sum, WeightOf(*child));
    }
    return sum;
}

bool IsVertical(const CObjectData& group) {
    return group.GetItem("Vertical") == "true";
}

bool IsStacked(const CObjectData& group) {
    const GroupLayout layout = LayoutCode(group.GetItem("Layout"));
    return layout == GroupLayout::kFrame || layout == GroupLayout::kRelative;
}

// Width and Height through two MoUnit values, as a layout step builds them.
LayoutSize SizeItems(const CObjectData& element, std::int32_t availWidth, std::int32_t availHeight,
                     const LayoutContext& context) {
    MoUnit width(availWidth, availHeight, context.units);
    MoUnit height(availWidth, availHeight, context.units);
    width.Parse(element.GetItem("Width"));
    height.Parse(element.GetItem("Height"));
    LayoutSize size{width.WidthInPixels(), height.HeightInPixels()};
    if (size.width == length::kParent) {
        size.width = availWidth;
    }
    if (size.height == length::kParent) {
        size.height = availHeight;
    }
    return size;
}

}  // namespace

LayoutSize DirectLayout::Measure(const CObjectData& element, std::int32_t availWidth,
                                 std::int32_t availHeight, bool parentVertical, bool topLevel) {
    ++measureEvaluations_;
    if (element.IsGroup()) {
        return MeasureGroup(element, availWidth, availHeight, parentVertical, topLevel);
    }
    return MeasureObject(element, availWidth, availHeight, parentVertical);
}

LayoutSize DirectLayout::MeasureObject(const CObjectData& object, std::int32_t availWidth,
                                       std::int32_t availHeight, bool parentVertical) {
    const std::int32_t base = context_.baseSize;
    const std::int32_t defaultWidth = DefaultContentWidth(base);
    auto [w, h] = SizeItems(object, availWidth, availHeight, context_);
    if (w == length::kContent) {
        w = defaultWidth;
        if (availWidth >= 0 && availWidth < w) {
            w = availWidth;
        }
    }
    if (h == length::kContent) {
        h = base;
        if (availHeight >= 0 && availHeight < base) {
            h = availHeight;
        }
    }
    if (WeightOf(object) > 0) {
        if (parentVertical) {
            h = 0;
        } else {
            w = 0;
        }
    }
    return {w, h};
}

LayoutSize DirectLayout::MeasureGroup(const CObjectData& group, std::int32_t availWidth,
                                      std::int32_t availHeight, bool parentVertical,
                                      bool topLevel) {
    const std::int32_t base = context_.baseSize;
    const std::int32_t defaultWidth = DefaultContentWidth(base);
    auto [w, h] = SizeItems(group, availWidth, availHeight, context_);
    if (!topLevel && WeightOf(group) > 0) {
        if (parentVertical) {
            h = 0;
        } else {
            w = 0;
        }
    }
    const std::int32_t weights = ChildWeights(group);
    const bool vertical = IsVertical(group);
    const bool stacked = IsStacked(group);
    if (w == length::kContent || (topLevel && weights != 0 && !vertical)) {
        std::int32_t width = 0;
        for (const CObjectData* child : ChildrenOf(group)) {
            std::int32_t childWidth = Measure(*child, w, h, vertical, false).width;
            if (!topLevel && childWidth == 0) {
                childWidth =
                    availWidth > 0 && availWidth < defaultWidth ? availWidth : defaultWidth;
            }
            width = vertical || stacked ? std::max(width, childWidth) : Add(width, childWidth);
        }
        w = width;
    }
    if (h == length::kContent || (topLevel && weights != 0 && vertical)) {
        std::int32_t height = 0;
        for (const CObjectData* child : ChildrenOf(group)) {
            std::int32_t childHeight = Measure(*child, w, h, vertical, false).height;
            if (!topLevel && childHeight == 0) {
                childHeight = availHeight > 0 && availHeight < base ? availHeight : base;
            }
            height =
                !vertical || stacked ? std::max(height, childHeight) : Add(height, childHeight);
        }
        h = height;
    }
    return {w, h};
}

LayoutSize DirectLayout::Place(Canvas& canvas, CObjectData& element, std::int32_t x, std::int32_t y,
                               std::int32_t availWidth, std::int32_t availHeight,
                               bool parentVertical, std::int32_t weightUnit, int pass) {
    if (element.IsGroup()) {
        return PlaceGroup(canvas, element, x, y, availWidth, availHeight, parentVertical,
                          weightUnit, pass);
    }
    return PlaceObject(canvas, element, x, y, availWidth, availHeight, parentVertical, weightUnit,
                       pass);
}

LayoutSize DirectLayout::PlaceObject(Canvas& canvas, CObjectData& object, std::int32_t x,
                                     std::int32_t y, std::int32_t availWidth,
                                     std::int32_t availHeight, bool parentVertical,
                                     std::int32_t weightUnit, int pass) {
    const std::int32_t base = context_.baseSize;
    const std::int32_t defaultWidth = DefaultContentWidth(base);
    auto [w, h] = SizeItems(object, availWidth, availHeight, context_);
    if (w == length::kContent) {
        w = availWidth >= 0 && availWidth < defaultWidth ? availWidth : defaultWidth;
    }
    if (h == length::kContent) {
        h = availHeight >= 0 && availHeight < base ? availHeight : base;
    }
    const std::int32_t weight = WeightOf(object);
    if (weight != 0) {
        if (parentVertical) {
            h = Mul(weight, weightUnit);
        } else {
            w = Mul(weight, weightUnit);
        }
    }
    if (w == 0) {
        w = availWidth > 0 && availWidth < defaultWidth ? availWidth : defaultWidth;
    }
    if (h == 0) {
        h = availHeight > 0 && availHeight < base ? availHeight : base;
    }

    const bool drawn = object.IsSelected() ? pass == 1 : pass == 0;
    if (drawn) {
        canvas.FillBox({x, y, w, h}, object.IsSelected() ? Rgb{255, 200, 200} : Rgb{255, 255, 255});
        canvas.FrameBox({x, y, w, h}, object.IsSelected() ? Rgb{255, 0, 0} : Rgb{0, 0, 0});
    }
    object.SetPreviewRect({x, y, Add(x, w), Add(y, h)});
    if (drawn) {
        const ObjectType type = ObjectTypeIndex(object.GetItem("Type"));
        std::string shortCode(ObjectShortCode(type));
        if (shortCode.empty()) {
            shortCode = object.GetItem("Type");
        }
        TextStyle style{preview_style::kLabelFontFace, 9, HorizontalAlign::kLeft,
                        VerticalAlign::kTop, Rgb{0, 0, 0}};
        canvas.DrawText({Add(x, 4), Add(y, 1), Sub(w, 2), Sub(h, 2)}, shortCode, style);

        const std::string name = object.GetItem("Name");
        std::string suffix = name.empty() ? "" : ":";
        const std::string_view property = ObjectLabelProperty(type);
        if (!property.empty()) {
            suffix += object.GetItem(property);
        }
        if (suffix.size() <= 1) {
            suffix.clear();
        }
        style.fontHeight = 12;
        style.horizontal = HorizontalAlign::kCenter;
        style.vertical = VerticalAlign::kMiddle;
        canvas.DrawText({Add(x, 1), Add(y, 5), Sub(w, 2), Sub(h, 2)}, name + suffix, style);
    }
    return {w, h};
}

LayoutSize DirectLayout::PlaceGroup(Canvas& canvas, CObjectData& group, std::int32_t x,
                                    std::int32_t y, std::int32_t availWidth,
                                    std::int32_t availHeight, bool parentVertical,
                                    std::int32_t weightUnit, int pass) {
    auto [w, h] = SizeItems(group, availWidth, availHeight, context_);
    const std::int32_t weight = WeightOf(group);
    if (weight != 0) {
        if (parentVertical) {
            h = Mul(weight, weightUnit);
        } else {
            w = Mul(weight, weightUnit);
        }
    }
    const std::int32_t weights = ChildWeights(group);
    const int align = ParseAlignment(group.GetItem("Align"));
    const bool vertical = IsVertical(group);

    const LayoutSize content =
        Measure(group, length::kContent, length::kContent, parentVertical, true);
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    if (weights == 0) {
        if (!vertical && w != length::kContent && w > content.width) {
            if (align % 3 == 1) {
                dx = Sub(w, content.width) / 2;
            } else if (align % 3 == 2) {
                dx = Sub(w, content.width);
            }
        }
        if (vertical && h != length::kContent && h > content.height) {
            if (align / 3 == 1) {
                dy = Sub(h, content.height) / 2;
            } else if (align / 3 == 2) {
                dy = Sub(h, content.height);
            }
        }
    }
    const LayoutSize used = Measure(group, w, h, parentVertical, true);
    std::int32_t unit = 0;
    if (!vertical && w != length::kContent && w > used.width && weights > 0) {
        unit = Sub(w, used.width) / weights;
    }
    if (vertical && h != length::kContent && h > used.height && weights > 0) {
        unit = Sub(h, used.height) / weights;
    }
    if (w == length::kContent) {
        w = used.width;
    }
    if (h == length::kContent) {
        h = used.height;
    }
    group.SetPreviewRect({x, y, Add(x, w), Add(y, h)});
    if (group.IsSelected() ? pass == 1 : pass == 0) {
        canvas.FrameBox({x, y, w, h}, group.IsSelected() ? Rgb{255, 0, 0} : Rgb{128, 128, 128});
    }
    x = Add(x, dx);
    y = Add(y, dy);
    if (IsStacked(group)) {
        for (CObjectData* child : ChildrenOf(group)) {
            Place(canvas, *child, x, y, w, h, vertical, unit, pass);
        }
        return {w, h};
    }
    std::int32_t sum = 0;
    for (CObjectData* child : ChildrenOf(group)) {
        if (vertical) {
            sum = Add(sum, Place(canvas, *child, x, Add(y, sum), w, h, true, unit, pass).height);
        } else {
            sum = Add(sum, Place(canvas, *child, Add(x, sum), y, w, h, false, unit, pass).width);
        }
    }
    return vertical ? LayoutSize{w, sum} : LayoutSize{sum, h};
}

bool DrawPreviewDirectly(const CZeResourceData& project, CZeDialogData& dialog, Canvas& canvas,
                         std::int32_t clientWidth, std::int32_t clientHeight, PreviewStats* stats) {
    CObjectDataList* root = dialog.GetRootGroup();
    if (root == nullptr) {
        return true;
    }
    std::int32_t deviceWidth = DecimalValue(project.GetItem("DeviceWidth"));
    std::int32_t deviceHeight = DecimalValue(project.GetItem("DeviceHeight"));
    std::int32_t targetWidth = DecimalValue(dialog.GetItem("TargetLayoutWidth"));
    std::int32_t targetHeight = DecimalValue(dialog.GetItem("TargetLayoutHeight"));
    if (deviceWidth < 1) {
        deviceWidth = 1024;
    }
    if (deviceHeight < 1) {
        deviceHeight = 800;
    }
    if (targetWidth < 1 || targetHeight < 1) {
        targetWidth = targetHeight = 100;
    }
    const std::int32_t w = Sub(clientWidth, 10);
    const std::int32_t h = Sub(clientHeight, 10);
    const std::int32_t x0 = Sub(5, Mul(dialog.GetCurrentPage(), w));
    canvas.FillBox({x0, 5, w, h}, Rgb{255, 255, 255});
    const std::int32_t c = w < h ? w / 12 : w / 16;
    const std::int32_t d = w < h ? h / 16 : h / 12;
    LayoutContext context;
    context.units = {targetWidth, targetHeight, deviceWidth, deviceHeight, w, h};
    context.baseSize = std::min(c, d);
    DirectLayout layout(context);
    layout.Place(canvas, *root, x0, 5, w, h, false, -1, 0);
    layout.Place(canvas, *root, x0, 5, w, h, false, -1, 1);
    if (stats != nullptr) {
        stats->measureEvaluations = layout.MeasureEvaluations();
    }
    return true;
}

}  // namespace ze
