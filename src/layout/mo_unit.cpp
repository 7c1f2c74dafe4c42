#include "layout/mo_unit.h"

#include "layout/int32_math.h"

namespace ze {

MoUnit::MoUnit(std::int32_t availWidth, std::int32_t availHeight, const UnitContext& context)
    : availWidth_(availWidth),
      availHeight_(availHeight),
      targetLayoutWidth_(context.targetLayoutWidth),
      targetLayoutHeight_(context.targetLayoutHeight),
      deviceWidth_(context.deviceWidth),
      deviceHeight_(context.deviceHeight),
      previewWidth_(context.previewWidth),
      previewHeight_(context.previewHeight) {}

void MoUnit::Parse(std::string_view text) {
    const ScannedLength scanned = ScanLength(text);
    value_ = scanned.value;
    unit_ = scanned.unit;
}

std::int32_t MoUnit::InPixels(std::int32_t previewSize, std::int32_t targetLayoutSize) const {
    using namespace int32_math;
    if (value_ == length::kParent || value_ == length::kContent) {
        return value_;
    }
    switch (unit_) {
        case unit_code::kPx:
            return value_;
        case unit_code::kPu:
            return Div(Mul(value_, previewSize), targetLayoutSize);
        case unit_code::kPt:
            return Div(Mul(value_, dotsPerInch_), 72);
        case unit_code::kMm:
            return static_cast<std::int32_t>(static_cast<double>(Mul(value_, dotsPerInch_)) / 25.4);
        case unit_code::kDp:
            return Div(Mul(value_, densityPercent_), 100);
        default:
            return 0;
    }
}

std::int32_t MoUnit::WidthInPixels() const {
    return InPixels(previewWidth_, targetLayoutWidth_);
}

std::int32_t MoUnit::HeightInPixels() const {
    return InPixels(previewHeight_, targetLayoutHeight_);
}

std::int32_t WidthInPixels(std::string_view text, const UnitContext& context) {
    MoUnit unit(length::kContent, length::kContent, context);
    unit.Parse(text);
    return unit.WidthInPixels();
}

std::int32_t HeightInPixels(std::string_view text, const UnitContext& context) {
    MoUnit unit(length::kContent, length::kContent, context);
    unit.Parse(text);
    return unit.HeightInPixels();
}

}  // namespace ze
