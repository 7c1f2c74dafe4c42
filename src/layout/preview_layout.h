#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layout/canvas.h"
#include "layout/mo_unit.h"

namespace ze {

class CObjectData;
class CZeDialogData;
class CZeResourceData;

struct LayoutSize {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const LayoutSize&, const LayoutSize&) = default;
};

// What every measure and place step of one paint shares: the conversion
// context of the lengths and the base size (the size of a content-sized
// object).
struct LayoutContext {
    UnitContext units;
    std::int32_t baseSize = 0;
    // Labels of texts drawn lengthened by this share (ExpandedText); the
    // layout itself does not change with it.
    std::int32_t textExpandPercent = 0;
};

// The colours and the label font of the preview.
namespace preview_style {
inline constexpr Rgb kPage{255, 255, 255};
inline constexpr Rgb kObjectFill{255, 255, 255};
inline constexpr Rgb kObjectFrame{0, 0, 0};
inline constexpr Rgb kSelectedFill{255, 200, 200};
inline constexpr Rgb kSelectedFrame{255, 0, 0};
inline constexpr Rgb kGroupFrame{128, 128, 128};
inline constexpr Rgb kLabelText{0, 0, 0};
// "MS ゴシック" in Shift_JIS.
inline constexpr std::string_view kLabelFontFace =
    "MS \x83S\x83V\x83"
    "b\x83N";
inline constexpr std::int32_t kShortCodeFontHeight = 9;
inline constexpr std::int32_t kNameFontHeight = 12;
}  // namespace preview_style

// The width of a content-sized object: trunc(base × 1.3).
std::int32_t DefaultContentWidth(std::int32_t baseSize);

// The project's DeviceWidth × DeviceHeight, 1024 × 800 where one is not a
// positive number.
LayoutSize ProjectDeviceSize(const CZeResourceData& project);

// The page, the context and the origin DrawPreview lays a dialog out with.
struct PreviewPage {
    LayoutContext context;
    Box page;  // the white page; the root group is placed at its top-left
};
PreviewPage PreviewPageOf(const CZeResourceData& project, const CZeDialogData& dialog,
                          std::int32_t clientWidth, std::int32_t clientHeight);

// Measures and places one element with everything below it, for one paint.
// Reset reads the properties the layout needs once; every measure result is
// kept until the next Reset, so a paint costs about linearly in the number
// of elements however deep the groups nest. The tree and its properties must
// not change between Reset and the last Place; selected flags may.
class PreviewLayout {
public:
    void Reset(CObjectData& top, const LayoutContext& context);

    // The size top wants in the space offered.
    LayoutSize Measure(std::int32_t availWidth, std::int32_t availHeight, bool parentVertical,
                       bool topLevel);
    // Fixes the position and size of top and everything below it, records
    // each object's preview rectangle and draws what belongs to pass 0 (the
    // unselected elements) or pass 1 (the selected ones).
    LayoutSize Place(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t availWidth,
                     std::int32_t availHeight, bool parentVertical, std::int32_t weightUnit,
                     int pass);

    std::size_t ElementCount() const { return nodes_.size(); }

    // Whether Place gives each element its preview rectangle (the default).
    // The layout checks place a dialog at other sizes than its windows show
    // and leave the rectangles the views hit-test alone.
    void SetKeepsPreviewRects(bool keeps) { keepsPreviewRects_ = keeps; }
    // The elements as Reset read them, breadth first (top is 0, and the
    // children of a group follow one another), each with the box the last
    // Place gave it: an object's, or a group's whole size.
    CObjectData& ElementAt(std::size_t index) const { return *nodes_[index].element; }
    const Box& PlacedBox(std::size_t index) const { return nodes_[index].placed; }
    std::uint32_t FirstChild(std::size_t index) const { return nodes_[index].firstChild; }
    std::uint32_t ChildCount(std::size_t index) const { return nodes_[index].childCount; }
    // Measure rule evaluations since Reset (results taken from the cache not
    // counted).
    std::size_t MeasureEvaluations() const { return measureEvaluations_; }

private:
    struct MeasureKey {
        std::int32_t availWidth;
        std::int32_t availHeight;
        bool parentVertical;
        bool topLevel;

        friend bool operator==(const MeasureKey&, const MeasureKey&) = default;
    };
    struct MeasureEntry {
        MeasureKey key;
        LayoutSize size;
    };
    static constexpr std::size_t kMeasureSlots = 8;

    struct Node {
        CObjectData* element = nullptr;
        bool isGroup = false;
        bool vertical = false;
        bool stacked = false;     // FRAME or RELATIVE: children share the origin
        std::int32_t width = 0;   // Width in pixels, or a sentinel
        std::int32_t height = 0;  // Height in pixels, or a sentinel
        std::int32_t weight = 0;
        std::int32_t childWeights = 0;
        std::int32_t align = 0;
        std::uint32_t firstChild = 0;
        std::uint32_t childCount = 0;
        std::string_view shortCode;
        std::string_view name;
        std::string_view labelText;
        bool labelIsText = false;  // Text or TextOn, not a file name
        std::uint32_t memo = 0;  // groups: their block in memos_
        Box placed;
    };
    // The measures of one group kept for the paint; when a group is asked
    // with more keys than there are slots, the oldest is replaced.
    struct MeasureMemo {
        std::uint8_t count = 0;
        std::uint8_t next = 0;
        std::array<MeasureEntry, kMeasureSlots> entries;
    };

    void ReadNode(Node& node, CObjectData& element) const;
    LayoutSize MeasureNode(std::uint32_t index, std::int32_t availWidth, std::int32_t availHeight,
                           bool parentVertical, bool topLevel);
    LayoutSize MeasureObject(const Node& node, std::int32_t availWidth, std::int32_t availHeight,
                             bool parentVertical) const;
    LayoutSize MeasureGroup(const Node& node, std::int32_t availWidth, std::int32_t availHeight,
                            bool parentVertical, bool topLevel);
    LayoutSize PlaceNode(Canvas& canvas, std::uint32_t index, std::int32_t x, std::int32_t y,
                         std::int32_t availWidth, std::int32_t availHeight, bool parentVertical,
                         std::int32_t weightUnit, int pass);
    LayoutSize PlaceObject(Canvas& canvas, Node& node, std::int32_t x, std::int32_t y,
                           std::int32_t availWidth, std::int32_t availHeight, bool parentVertical,
                           std::int32_t weightUnit, int pass);
    LayoutSize PlaceGroup(Canvas& canvas, std::uint32_t index, std::int32_t x, std::int32_t y,
                          std::int32_t availWidth, std::int32_t availHeight, bool parentVertical,
                          std::int32_t weightUnit, int pass);
    void DrawLabels(Canvas& canvas, const Node& node, const Box& box);

    LayoutContext context_;
    std::int32_t defaultWidth_ = 0;
    std::vector<Node> nodes_;
    std::vector<MeasureMemo> memos_;
    std::size_t measureEvaluations_ = 0;
    std::string nameLine_;
    bool keepsPreviewRects_ = true;
};

// What one paint did, for the benchmarks.
struct PreviewStats {
    std::size_t elements = 0;
    std::size_t measureEvaluations = 0;
};

// Paints dialog into a client area of the given size: the white page,
// moved left by the current page index, then the root group placed twice,
// pass 0 and pass 1. Without a root group nothing is drawn. Always true.
// The labels of texts are drawn lengthened by expandPercent of themselves.
bool DrawPreview(const CZeResourceData& project, CZeDialogData& dialog, Canvas& canvas,
                 std::int32_t clientWidth, std::int32_t clientHeight,
                 PreviewStats* stats = nullptr, std::int32_t expandPercent = 0);

}  // namespace ze
