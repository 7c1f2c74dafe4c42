#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "layout/mo_unit.h"

namespace ze {
namespace {

// A 390 × 290 page with the default target layout of 100 × 100.
UnitContext Page() {
    UnitContext context;
    context.previewWidth = 390;
    context.previewHeight = 290;
    return context;
}

struct Parsed {
    std::int32_t value;
    std::int32_t unit;
};

Parsed ParseText(std::string_view text) {
    MoUnit unit(0, 0, Page());
    unit.Parse(text);
    return {unit.Value(), unit.Unit()};
}

TEST(MoUnitTest, StartsAsContentInThePrivateUnit) {
    const MoUnit unit(7, 8, Page());
    EXPECT_EQ(unit.Value(), length::kContent);
    EXPECT_EQ(unit.Unit(), unit_code::kPu);
    EXPECT_EQ(unit.AvailWidth(), 7);
    EXPECT_EQ(unit.AvailHeight(), 8);
    EXPECT_EQ(unit.DeviceWidth(), 1024);
    EXPECT_EQ(unit.DeviceHeight(), 800);
}

TEST(MoUnitTest, KeywordsAndTextsWithoutANumberAreSentinels) {
    for (const char* text :
         {"CONTENT", "", "abc", "content", "parent", "px", "-", "+", " ", "PARENT ", "\x83S"}) {
        const Parsed parsed = ParseText(text);
        EXPECT_EQ(parsed.value, length::kContent) << text;
        EXPECT_EQ(parsed.unit, unit_code::kPx) << text;
        EXPECT_EQ(WidthInPixels(text, Page()), length::kContent) << text;
    }
    EXPECT_EQ(ParseText("PARENT").value, length::kParent);
    EXPECT_EQ(ParseText("PARENT").unit, unit_code::kPx);
    EXPECT_EQ(HeightInPixels("PARENT", Page()), length::kParent);
    // A C string ends at its NUL.
    EXPECT_EQ(ParseText(std::string_view("PARENT\0x", 8)).value, length::kParent);
    EXPECT_EQ(WidthInPixels(std::string_view("7\0px", 4), Page()), 7 * 390 / 100);
}

TEST(MoUnitTest, NumbersMinusOneAndMinusTwoReadAsTheSentinels) {
    EXPECT_EQ(ParseText("-1").value, -1);
    EXPECT_EQ(ParseText("-1").unit, unit_code::kPu);
    EXPECT_EQ(WidthInPixels("-1", Page()), length::kParent);
    EXPECT_EQ(WidthInPixels("-2mm", Page()), length::kContent);
    EXPECT_EQ(HeightInPixels("-2", Page()), length::kContent);
}

struct UnitRow {
    const char* text;
    std::int32_t unit;
    std::int32_t width;
    std::int32_t height;
};

class MoUnitConversionTest : public testing::TestWithParam<UnitRow> {};

TEST_P(MoUnitConversionTest, ConvertsInIntegerArithmetic) {
    const UnitRow& row = GetParam();
    MoUnit unit(0, 0, Page());
    unit.Parse(row.text);
    EXPECT_EQ(unit.Unit(), row.unit);
    EXPECT_EQ(unit.WidthInPixels(), row.width);
    EXPECT_EQ(unit.HeightInPixels(), row.height);
}

INSTANTIATE_TEST_SUITE_P(
    Units, MoUnitConversionTest,
    testing::Values(
        // pu: value × page ÷ target, truncated toward zero.
        UnitRow{"30", unit_code::kPu, 117, 87}, UnitRow{"30pu", unit_code::kPu, 117, 87},
        UnitRow{"30XY", unit_code::kPu, 117, 87}, UnitRow{"50%", unit_code::kPu, 195, 145},
        UnitRow{"30PX", unit_code::kPu, 117, 87}, UnitRow{"12 px", unit_code::kPu, 46, 34},
        UnitRow{"-3", unit_code::kPu, -11, -8}, UnitRow{"1_x", unit_code::kPu, 3, 2},
        UnitRow{"30p", unit_code::kPu, 117, 87}, UnitRow{"30pxx", unit_code::kPu, 117, 87},
        // px, and the scan's leading white space and sign.
        UnitRow{"7px", unit_code::kPx, 7, 7}, UnitRow{" \t+7px", unit_code::kPx, 7, 7},
        UnitRow{"-5px", unit_code::kPx, -5, -5}, UnitRow{"0px", unit_code::kPx, 0, 0},
        UnitRow{"7px;", unit_code::kPx, 7, 7},
        // pt: value × 160 ÷ 72.
        UnitRow{"72pt", unit_code::kPt, 160, 160}, UnitRow{"1pt", unit_code::kPt, 2, 2},
        UnitRow{"-5pt", unit_code::kPt, -11, -11},
        // mm: value × 160, then ÷ 25.4 in double precision, toward zero.
        UnitRow{"254mm", unit_code::kMm, 1600, 1600}, UnitRow{"1mm", unit_code::kMm, 6, 6},
        UnitRow{"-3mm", unit_code::kMm, -18, -18},
        // dp: value × 100 ÷ 100.
        UnitRow{"10dp", unit_code::kDp, 10, 10}, UnitRow{"-7dp", unit_code::kDp, -7, -7}));

TEST(MoUnitTest, ThePrivateUnitFollowsTheTargetLayoutOfEachAxis) {
    UnitContext context = Page();
    context.targetLayoutWidth = 320;
    context.targetLayoutHeight = 480;
    EXPECT_EQ(WidthInPixels("160", context), 195);
    EXPECT_EQ(HeightInPixels("240", context), 145);
    EXPECT_EQ(HeightInPixels("240px", context), 240);
}

TEST(MoUnitTest, ALongSuffixIsReadUpToFifteenCharacters) {
    // Fifteen bytes are read, so a suffix beginning with a unit is no unit.
    const std::string longSuffix = "7px" + std::string(200, 'x');
    EXPECT_EQ(ParseText(longSuffix).value, 7);
    EXPECT_EQ(ParseText(longSuffix).unit, unit_code::kPu);
    EXPECT_EQ(ParseText("7" + std::string(15, '_')).unit, unit_code::kPu);
    EXPECT_EQ(ParseText("7" + std::string(14, '%') + "px").unit, unit_code::kPu);
    EXPECT_EQ(ParseText("7" + std::string(1000, 'p')).unit, unit_code::kPu);
}

TEST(MoUnitTest, HugeNumbersSaturateAndProductsWrapWithoutFault) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(ParseText("99999999999px").value, kMax);
    EXPECT_EQ(ParseText("-99999999999px").value, kMin);
    EXPECT_EQ(WidthInPixels("99999999999px", Page()), kMax);
    // The products wrap as 32-bit machine arithmetic does.
    EXPECT_EQ(WidthInPixels("99999999999dp", Page()), -1);
    EXPECT_EQ(WidthInPixels("-99999999999", Page()), 0);
}

}  // namespace
}  // namespace ze
