#include <gtest/gtest.h>

#include <string>

#include "layout/text_values.h"

namespace ze {
namespace {

struct AlignRow {
    const char* text;
    int value;
};

class AlignmentTest : public testing::TestWithParam<AlignRow> {};

TEST_P(AlignmentTest, ReadsTheHorizontalAndTheVerticalWord) {
    EXPECT_EQ(ParseAlignment(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Words, AlignmentTest,
                         testing::Values(AlignRow{"", 0}, AlignRow{"LEFT", 0},
                                         AlignRow{"CENTER", 1}, AlignRow{"RIGHT", 2},
                                         AlignRow{"TOP", 0}, AlignRow{"MIDDLE", 3},
                                         AlignRow{"BOTTOM", 6}, AlignRow{"LEFT|TOP", 0},
                                         AlignRow{"CENTER|MIDDLE", 4}, AlignRow{"RIGHT|BOTTOM", 8},
                                         AlignRow{"LEFT|BOTTOM", 6}, AlignRow{"RIGHT|MIDDLE", 5},
                                         // Leading bars are skipped; a bar with nothing after it
                                         // leaves the first word for both axes.
                                         AlignRow{"||RIGHT|", 2}, AlignRow{"|MIDDLE", 3},
                                         // Everything after the first bar is the vertical word.
                                         AlignRow{"RIGHT||BOTTOM", 2},
                                         AlignRow{"CENTER|MIDDLE|", 1},
                                         // Exact, case-sensitive words.
                                         AlignRow{"right", 0}, AlignRow{"CENTER |MIDDLE", 3},
                                         AlignRow{"MIDDLE|CENTER", 0}));

TEST(DecimalValueTest, ReadsLikeAtoi) {
    EXPECT_EQ(DecimalValue(""), 0);
    EXPECT_EQ(DecimalValue("abc"), 0);
    EXPECT_EQ(DecimalValue("3"), 3);
    EXPECT_EQ(DecimalValue("  -12px"), -12);
    EXPECT_EQ(DecimalValue("+4"), 4);
    EXPECT_EQ(DecimalValue("1.5"), 1);
    EXPECT_EQ(DecimalValue("- 1"), 0);
    EXPECT_EQ(DecimalValue("12345678901234"), 2147483647);
    EXPECT_EQ(DecimalValue(std::string_view("\0"
                                            "5",
                                            2)),
              0);
}

}  // namespace
}  // namespace ze
