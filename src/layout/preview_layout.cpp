#include "layout/preview_layout.h"

#include <algorithm>

#include "layout/int32_math.h"
#include "layout/text_expand.h"
#include "layout/text_values.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "model/schema.h"

namespace ze {

using namespace int32_math;

namespace {

// The values of the properties the layout reads, from one walk over the
// items; the first item of a name counts, as for GetItem.
struct LayoutItems {
    std::string_view width, height, weight, type, name, layout, vertical, align;
    std::string_view text, textOn, file;
    bool hasWidth = false, hasHeight = false, hasWeight = false, hasType = false, hasName = false,
         hasLayout = false, hasVertical = false, hasAlign = false, hasText = false,
         hasTextOn = false, hasFile = false;
};

void Take(bool& has, std::string_view& slot, std::string_view value) {
    if (!has) {
        has = true;
        slot = value;
    }
}

LayoutItems ReadLayoutItems(const CItemList& items) {
    LayoutItems found;
    for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
        const CItemData& item = items.GetItemData(i);
        const std::string& name = item.GetName();
        const std::string_view value = item.GetValue();
        switch (name.size()) {
            case 4:
                if (name == prop::kType) {
                    Take(found.hasType, found.type, value);
                } else if (name == prop::kName) {
                    Take(found.hasName, found.name, value);
                } else if (name == prop::kText) {
                    Take(found.hasText, found.text, value);
                } else if (name == prop::kFile) {
                    Take(found.hasFile, found.file, value);
                }
                break;
            case 5:
                if (name == prop::kWidth) {
                    Take(found.hasWidth, found.width, value);
                } else if (name == prop::kAlign) {
                    Take(found.hasAlign, found.align, value);
                }
                break;
            case 6:
                if (name == prop::kHeight) {
                    Take(found.hasHeight, found.height, value);
                } else if (name == prop::kWeight) {
                    Take(found.hasWeight, found.weight, value);
                } else if (name == prop::kLayout) {
                    Take(found.hasLayout, found.layout, value);
                } else if (name == prop::kTextOn) {
                    Take(found.hasTextOn, found.textOn, value);
                }
                break;
            case 8:
                if (name == prop::kVertical) {
                    Take(found.hasVertical, found.vertical, value);
                }
                break;
            default:
                break;
        }
    }
    return found;
}

// Both the width and the height phase of a group measure use this: a zero
// size of a child counts as the space offered when that is smaller than the
// default, else as the default.
std::int32_t ZeroAsDefault(std::int32_t size, std::int32_t avail, std::int32_t fallback) {
    if (size != 0) {
        return size;
    }
    return avail > 0 && avail < fallback ? avail : fallback;
}

}  // namespace

std::int32_t DefaultContentWidth(std::int32_t baseSize) {
    return static_cast<std::int32_t>(baseSize * 1.3);
}

LayoutSize ProjectDeviceSize(const CZeResourceData& project) {
    LayoutSize size{DecimalValue(project.GetItem(prop::kDeviceWidth)),
                    DecimalValue(project.GetItem(prop::kDeviceHeight))};
    if (size.width < 1) {
        size.width = 1024;
    }
    if (size.height < 1) {
        size.height = 800;
    }
    return size;
}

PreviewPage PreviewPageOf(const CZeResourceData& project, const CZeDialogData& dialog,
                          std::int32_t clientWidth, std::int32_t clientHeight) {
    PreviewPage result;
    UnitContext& units = result.context.units;
    const LayoutSize device = ProjectDeviceSize(project);
    units.deviceWidth = device.width;
    units.deviceHeight = device.height;
    units.targetLayoutWidth = DecimalValue(dialog.GetItem(prop::kTargetLayoutWidth));
    units.targetLayoutHeight = DecimalValue(dialog.GetItem(prop::kTargetLayoutHeight));
    if (units.targetLayoutWidth < 1 || units.targetLayoutHeight < 1) {
        units.targetLayoutWidth = 100;
        units.targetLayoutHeight = 100;
    }
    const std::int32_t w = Sub(clientWidth, 10);
    const std::int32_t h = Sub(clientHeight, 10);
    units.previewWidth = w;
    units.previewHeight = h;
    result.page = Box{Sub(5, Mul(dialog.GetCurrentPage(), w)), 5, w, h};
    result.context.baseSize = w < h ? std::min(w / 12, h / 16) : std::min(w / 16, h / 12);
    return result;
}

void PreviewLayout::Reset(CObjectData& top, const LayoutContext& context) {
    context_ = context;
    defaultWidth_ = DefaultContentWidth(context.baseSize);
    measureEvaluations_ = 0;
    nodes_.clear();
    memos_.clear();
    // Breadth first, so that the children of a group lie side by side.
    nodes_.emplace_back().element = &top;
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        CObjectData& element = *nodes_[i].element;
        ReadNode(nodes_[i], element);
        if (!nodes_[i].isGroup) {
            continue;
        }
        const auto& children = static_cast<CObjectDataList&>(element).GetChildren();
        nodes_[i].firstChild = static_cast<std::uint32_t>(nodes_.size());
        nodes_[i].childCount = static_cast<std::uint32_t>(children.size());
        nodes_[i].memo = static_cast<std::uint32_t>(memos_.size());
        memos_.emplace_back();
        for (CObjectData* child : children) {
            nodes_.emplace_back().element = child;
        }
    }
    // Children were read after their parents; sum their weights now.
    for (Node& node : nodes_) {
        for (std::uint32_t c = 0; c < node.childCount; ++c) {
            node.childWeights = Add(node.childWeights, nodes_[node.firstChild + c].weight);
        }
    }
}

void PreviewLayout::ReadNode(Node& node, CObjectData& element) const {
    const LayoutItems items = ReadLayoutItems(element.Items());
    node.isGroup = element.IsGroup();
    node.width = WidthInPixels(items.width, context_.units);
    node.height = HeightInPixels(items.height, context_.units);
    node.weight = DecimalValue(items.weight);
    node.childWeights = 0;
    if (node.isGroup) {
        node.vertical = AsCString(items.vertical) == "true";
        const GroupLayout layout = LayoutCode(AsCString(items.layout));
        node.stacked = layout == GroupLayout::kFrame || layout == GroupLayout::kRelative;
        node.align = ParseAlignment(items.align);
        return;
    }
    const ObjectType type = ObjectTypeIndex(AsCString(items.type));
    node.shortCode = ObjectShortCode(type);
    if (node.shortCode.empty()) {
        node.shortCode = AsCString(items.type);
    }
    node.name = AsCString(items.name);
    const std::string_view property = ObjectLabelProperty(type);
    if (property == prop::kText) {
        node.labelText = AsCString(items.text);
        node.labelIsText = true;
    } else if (property == prop::kTextOn) {
        node.labelText = AsCString(items.textOn);
        node.labelIsText = true;
    } else if (property == prop::kFile) {
        node.labelText = AsCString(items.file);
    }
}

LayoutSize PreviewLayout::Measure(std::int32_t availWidth, std::int32_t availHeight,
                                  bool parentVertical, bool topLevel) {
    return nodes_.empty() ? LayoutSize{}
                          : MeasureNode(0, availWidth, availHeight, parentVertical, topLevel);
}

LayoutSize PreviewLayout::Place(Canvas& canvas, std::int32_t x, std::int32_t y,
                                std::int32_t availWidth, std::int32_t availHeight,
                                bool parentVertical, std::int32_t weightUnit, int pass) {
    return nodes_.empty() ? LayoutSize{}
                          : PlaceNode(canvas, 0, x, y, availWidth, availHeight, parentVertical,
                                      weightUnit, pass);
}

LayoutSize PreviewLayout::MeasureNode(std::uint32_t index, std::int32_t availWidth,
                                      std::int32_t availHeight, bool parentVertical,
                                      bool topLevel) {
    const Node& node = nodes_[index];
    if (!node.isGroup) {
        ++measureEvaluations_;
        return MeasureObject(node, availWidth, availHeight, parentVertical);
    }
    const MeasureKey key{availWidth, availHeight, parentVertical, topLevel};
    {
        const MeasureMemo& memo = memos_[node.memo];
        for (std::uint8_t i = 0; i < memo.count; ++i) {
            if (memo.entries[i].key == key) {
                return memo.entries[i].size;
            }
        }
    }
    ++measureEvaluations_;
    const LayoutSize size = MeasureGroup(node, availWidth, availHeight, parentVertical, topLevel);
    MeasureMemo& memo = memos_[node.memo];
    memo.entries[memo.next] = MeasureEntry{key, size};
    memo.next = static_cast<std::uint8_t>((memo.next + 1) % kMeasureSlots);
    memo.count = static_cast<std::uint8_t>(std::min<std::size_t>(memo.count + 1u, kMeasureSlots));
    return size;
}

LayoutSize PreviewLayout::MeasureObject(const Node& node, std::int32_t availWidth,
                                        std::int32_t availHeight, bool parentVertical) const {
    std::int32_t w = node.width == length::kParent ? availWidth : node.width;
    std::int32_t h = node.height == length::kParent ? availHeight : node.height;
    if (w == length::kContent) {
        w = availWidth >= 0 && availWidth < defaultWidth_ ? availWidth : defaultWidth_;
    }
    if (h == length::kContent) {
        h = availHeight >= 0 && availHeight < context_.baseSize ? availHeight : context_.baseSize;
    }
    if (node.weight > 0) {
        (parentVertical ? h : w) = 0;
    }
    return {w, h};
}

LayoutSize PreviewLayout::MeasureGroup(const Node& node, std::int32_t availWidth,
                                       std::int32_t availHeight, bool parentVertical,
                                       bool topLevel) {
    std::int32_t w = node.width == length::kParent ? availWidth : node.width;
    std::int32_t h = node.height == length::kParent ? availHeight : node.height;
    if (!topLevel && node.weight > 0) {
        (parentVertical ? h : w) = 0;
    }
    const bool weighted = topLevel && node.childWeights != 0;
    if (w == length::kContent || (weighted && !node.vertical)) {
        const bool widest = node.vertical || node.stacked;
        std::int32_t width = 0;
        for (std::uint32_t c = 0; c < node.childCount; ++c) {
            std::int32_t child = MeasureNode(node.firstChild + c, w, h, node.vertical, false).width;
            if (!topLevel) {
                child = ZeroAsDefault(child, availWidth, defaultWidth_);
            }
            width = widest ? std::max(width, child) : Add(width, child);
        }
        w = width;
    }
    if (h == length::kContent || (weighted && node.vertical)) {
        const bool tallest = !node.vertical || node.stacked;
        std::int32_t height = 0;
        for (std::uint32_t c = 0; c < node.childCount; ++c) {
            std::int32_t child =
                MeasureNode(node.firstChild + c, w, h, node.vertical, false).height;
            if (!topLevel) {
                child = ZeroAsDefault(child, availHeight, context_.baseSize);
            }
            height = tallest ? std::max(height, child) : Add(height, child);
        }
        h = height;
    }
    return {w, h};
}

LayoutSize PreviewLayout::PlaceNode(Canvas& canvas, std::uint32_t index, std::int32_t x,
                                    std::int32_t y, std::int32_t availWidth,
                                    std::int32_t availHeight, bool parentVertical,
                                    std::int32_t weightUnit, int pass) {
    if (nodes_[index].isGroup) {
        return PlaceGroup(canvas, index, x, y, availWidth, availHeight, parentVertical, weightUnit,
                          pass);
    }
    return PlaceObject(canvas, nodes_[index], x, y, availWidth, availHeight, parentVertical,
                       weightUnit, pass);
}

LayoutSize PreviewLayout::PlaceObject(Canvas& canvas, Node& node, std::int32_t x,
                                      std::int32_t y, std::int32_t availWidth,
                                      std::int32_t availHeight, bool parentVertical,
                                      std::int32_t weightUnit, int pass) {
    const std::int32_t base = context_.baseSize;
    std::int32_t w = node.width == length::kParent ? availWidth : node.width;
    std::int32_t h = node.height == length::kParent ? availHeight : node.height;
    if (w == length::kContent) {
        w = availWidth >= 0 && availWidth < defaultWidth_ ? availWidth : defaultWidth_;
    }
    if (h == length::kContent) {
        h = availHeight >= 0 && availHeight < base ? availHeight : base;
    }
    if (node.weight != 0) {
        (parentVertical ? h : w) = Mul(node.weight, weightUnit);
    }
    w = ZeroAsDefault(w, availWidth, defaultWidth_);
    h = ZeroAsDefault(h, availHeight, base);

    const Box box{x, y, w, h};
    const bool selected = node.element->IsSelected();
    if (pass == (selected ? 1 : 0)) {
        canvas.FillBox(box, selected ? preview_style::kSelectedFill : preview_style::kObjectFill);
        canvas.FrameBox(box,
                        selected ? preview_style::kSelectedFrame : preview_style::kObjectFrame);
    }
    node.placed = box;
    if (keepsPreviewRects_) {
        node.element->SetPreviewRect(PreviewRect{x, y, Add(x, w), Add(y, h)});
    }
    if (pass == (selected ? 1 : 0)) {
        DrawLabels(canvas, node, box);
    }
    return {w, h};
}

void PreviewLayout::DrawLabels(Canvas& canvas, const Node& node, const Box& box) {
    const std::int32_t w = Sub(box.width, 2);
    const std::int32_t h = Sub(box.height, 2);
    TextStyle style;
    style.fontFace = preview_style::kLabelFontFace;
    style.colour = preview_style::kLabelText;
    style.fontHeight = preview_style::kShortCodeFontHeight;
    canvas.DrawText(Box{Add(box.x, 4), Add(box.y, 1), w, h}, node.shortCode, style);

    nameLine_.assign(node.name);
    std::string_view suffix = node.name.empty() ? std::string_view() : std::string_view(":");
    const std::size_t mark = nameLine_.size();
    nameLine_.append(suffix);
    if (node.labelIsText && context_.textExpandPercent > 0) {
        nameLine_.append(ExpandedText(node.labelText, context_.textExpandPercent));
    } else {
        nameLine_.append(node.labelText);
    }
    if (nameLine_.size() - mark <= 1) {
        nameLine_.resize(mark);
    }
    style.fontHeight = preview_style::kNameFontHeight;
    style.horizontal = HorizontalAlign::kCenter;
    style.vertical = VerticalAlign::kMiddle;
    canvas.DrawText(Box{Add(box.x, 1), Add(box.y, 5), w, h}, nameLine_, style);
}

LayoutSize PreviewLayout::PlaceGroup(Canvas& canvas, std::uint32_t index, std::int32_t x,
                                     std::int32_t y, std::int32_t availWidth,
                                     std::int32_t availHeight, bool parentVertical,
                                     std::int32_t weightUnit, int pass) {
    Node& node = nodes_[index];
    std::int32_t w = node.width == length::kParent ? availWidth : node.width;
    std::int32_t h = node.height == length::kParent ? availHeight : node.height;
    if (node.weight != 0) {
        (parentVertical ? h : w) = Mul(node.weight, weightUnit);
    }
    const std::int32_t weights = node.childWeights;
    const bool vertical = node.vertical;

    const LayoutSize content =
        MeasureNode(index, length::kContent, length::kContent, parentVertical, true);
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    if (weights == 0) {
        const int horizontal = alignment::Horizontal(node.align);
        const int verticalAlign = alignment::Vertical(node.align);
        if (!vertical && w != length::kContent && w > content.width) {
            if (horizontal == alignment::kCenter) {
                dx = Sub(w, content.width) / 2;
            } else if (horizontal == alignment::kRight) {
                dx = Sub(w, content.width);
            }
        }
        if (vertical && h != length::kContent && h > content.height) {
            if (verticalAlign == alignment::kMiddle) {
                dy = Sub(h, content.height) / 2;
            } else if (verticalAlign == alignment::kBottom) {
                dy = Sub(h, content.height);
            }
        }
    }
    const LayoutSize used = MeasureNode(index, w, h, parentVertical, true);
    std::int32_t childUnit = 0;
    if (!vertical && w != length::kContent && w > used.width && weights > 0) {
        childUnit = Sub(w, used.width) / weights;
    }
    if (vertical && h != length::kContent && h > used.height && weights > 0) {
        childUnit = Sub(h, used.height) / weights;
    }
    if (w == length::kContent) {
        w = used.width;
    }
    if (h == length::kContent) {
        h = used.height;
    }

    // Kept for drops on the preview; a group is never hit by a click.
    node.placed = Box{x, y, w, h};
    if (keepsPreviewRects_) {
        node.element->SetPreviewRect(PreviewRect{x, y, Add(x, w), Add(y, h)});
    }
    const bool selected = node.element->IsSelected();
    if (pass == (selected ? 1 : 0)) {
        canvas.FrameBox(Box{x, y, w, h},
                        selected ? preview_style::kSelectedFrame : preview_style::kGroupFrame);
    }

    const std::int32_t originX = Add(x, dx);
    const std::int32_t originY = Add(y, dy);
    const std::uint32_t first = node.firstChild;
    const std::uint32_t count = node.childCount;
    if (node.stacked) {
        for (std::uint32_t c = 0; c < count; ++c) {
            PlaceNode(canvas, first + c, originX, originY, w, h, vertical, childUnit, pass);
        }
        return {w, h};
    }
    std::int32_t run = 0;
    for (std::uint32_t c = 0; c < count; ++c) {
        if (vertical) {
            run = Add(run, PlaceNode(canvas, first + c, originX, Add(originY, run), w, h, true,
                                     childUnit, pass)
                               .height);
        } else {
            run = Add(run, PlaceNode(canvas, first + c, Add(originX, run), originY, w, h, false,
                                     childUnit, pass)
                               .width);
        }
    }
    return vertical ? LayoutSize{w, run} : LayoutSize{run, h};
}

bool DrawPreview(const CZeResourceData& project, CZeDialogData& dialog, Canvas& canvas,
                 std::int32_t clientWidth, std::int32_t clientHeight, PreviewStats* stats,
                 std::int32_t expandPercent) {
    CObjectDataList* root = dialog.GetRootGroup();
    if (root == nullptr) {
        return true;
    }
    PreviewPage page = PreviewPageOf(project, dialog, clientWidth, clientHeight);
    page.context.textExpandPercent = expandPercent;
    canvas.FillBox(page.page, preview_style::kPage);
    PreviewLayout layout;
    layout.Reset(*root, page.context);
    for (int pass = 0; pass < 2; ++pass) {
        layout.Place(canvas, page.page.x, page.page.y, page.page.width, page.page.height, false, -1,
                     pass);
    }
    if (stats != nullptr) {
        stats->elements = layout.ElementCount();
        stats->measureEvaluations = layout.MeasureEvaluations();
    }
    return true;
}

}  // namespace ze
