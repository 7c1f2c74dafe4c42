#include "layout/mo_unit.h"

#include <optional>

#include "layout/int32_math.h"
#include "layout/text_values.h"

namespace ze {

namespace {

bool IsSuffixByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '%';
}

std::int32_t UnitOfSuffix(std::string_view suffix) {
    if (suffix == "px") {
        return unit_code::kPx;
    }
    if (suffix == "pt") {
        return unit_code::kPt;
    }
    if (suffix == "mm") {
        return unit_code::kMm;
    }
    if (suffix == "dp") {
        return unit_code::kDp;
    }
    return unit_code::kPu;
}

}  // namespace

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
    text = AsCString(text);
    if (text == "CONTENT") {
        value_ = length::kContent;
        unit_ = unit_code::kPx;
        return;
    }
    if (text == "PARENT") {
        value_ = length::kParent;
        unit_ = unit_code::kPx;
        return;
    }
    value_ = 0;
    unit_ = unit_code::kPx;
    // The scan "%d%15[a-zA-Z_%]": a number, then up to 15 suffix bytes.
    std::size_t end = 0;
    const std::optional<std::int32_t> number = ScanDecimal(text, end);
    if (!number) {
        value_ = length::kContent;
        return;
    }
    value_ = *number;
    std::size_t suffixEnd = end;
    while (suffixEnd < text.size() && suffixEnd - end < kMaxSuffixLength &&
           IsSuffixByte(text[suffixEnd])) {
        ++suffixEnd;
    }
    unit_ = suffixEnd == end ? unit_code::kPu : UnitOfSuffix(text.substr(end, suffixEnd - end));
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
