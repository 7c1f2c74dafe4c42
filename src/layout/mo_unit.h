#pragma once

#include <cstdint>
#include <string_view>

#include "model/length_text.h"

namespace ze {

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

    // Reads text as ScanLength does (model/length_text.h).
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
