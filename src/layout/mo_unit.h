#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ze {

// Unit codes of a length.
namespace unit_code {
inline constexpr std::int32_t kPx = 0;
inline constexpr std::int32_t kPu = 1;  // a share of the preview page
inline constexpr std::int32_t kPt = 2;
inline constexpr std::int32_t kMm = 3;
inline constexpr std::int32_t kDp = 4;
}  // namespace unit_code

// The sentinels a length converts to instead of a pixel count.
namespace length {
inline constexpr std::int32_t kParent = -1;   // take the size the parent offers
inline constexpr std::int32_t kContent = -2;  // size to the content
}  // namespace length

// The conversion context of one preview paint that every length is evaluated
// in: the dialog's target layout size, the device size and the page size.
struct UnitContext {
    std::int32_t targetLayoutWidth = 100;
    std::int32_t targetLayoutHeight = 100;
    std::int32_t deviceWidth = 1024;
    std::int32_t deviceHeight = 800;
    std::int32_t previewWidth = 0;
    std::int32_t previewHeight = 0;
};

// A Width or Height text ("120px", "50", "PARENT", "CONTENT"...) read into a
// number and a unit, with the context it converts to preview pixels in. The
// text itself is never written back.
class MoUnit {
public:
    MoUnit(std::int32_t availWidth, std::int32_t availHeight, const UnitContext& context);
    virtual ~MoUnit() = default;
    MoUnit(const MoUnit&) = default;
    MoUnit& operator=(const MoUnit&) = default;

    // "CONTENT" and "PARENT" exactly give the sentinels; otherwise a signed
    // decimal number (leading white space allowed) with an optional suffix of
    // letters, "_" and "%": "px", "pu", "pt", "mm", "dp", any other suffix
    // or none meaning pu. A text that does not start with a number is
    // CONTENT. The text is taken as a C string: it ends at its first NUL.
    void Parse(std::string_view text);

    // Pixels across, or length::kParent / length::kContent.
    std::int32_t WidthInPixels() const;
    // Pixels down, or length::kParent / length::kContent.
    std::int32_t HeightInPixels() const;

    std::int32_t Value() const { return value_; }
    std::int32_t Unit() const { return unit_; }
    std::int32_t AvailWidth() const { return availWidth_; }
    std::int32_t AvailHeight() const { return availHeight_; }
    std::int32_t DeviceWidth() const { return deviceWidth_; }
    std::int32_t DeviceHeight() const { return deviceHeight_; }

    // The longest suffix the scan reads; the rest of a longer one is ignored.
    static constexpr std::size_t kMaxSuffixLength = 15;

private:
    std::int32_t InPixels(std::int32_t previewSize, std::int32_t targetLayoutSize) const;

    std::int32_t densityPercent_ = 100;
    std::int32_t dotsPerInch_ = 160;
    std::int32_t value_ = length::kContent;
    std::int32_t unit_ = unit_code::kPu;
    std::int32_t availWidth_;
    std::int32_t availHeight_;
    std::int32_t targetLayoutWidth_;
    std::int32_t targetLayoutHeight_;
    std::int32_t deviceWidth_;
    std::int32_t deviceHeight_;
    std::int32_t previewWidth_;
    std::int32_t previewHeight_;
};

// Pixels across for text, the way a layout step reads Width.
std::int32_t WidthInPixels(std::string_view text, const UnitContext& context);
// Pixels down for text, the way a layout step reads Height.
std::int32_t HeightInPixels(std::string_view text, const UnitContext& context);

}  // namespace ze
