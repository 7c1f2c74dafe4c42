// The device font's measure: its quick answer about a line agrees with the
// width the line is laid out at, near the limit and far from it.

#include "layout/qt/font_measure.h"

#include <gtest/gtest.h>

#include <string>

#include "common/cp932.h"

namespace ze {
namespace {

TEST(FontTextMeasure, LineFitsAgreesWithTheLaidOutWidth) {
    FontTextMeasure measure;
    const std::string lines[] = {
        "OK",
        "Hello, World!",
        "AVAWAYTo.Wa fi ffl",
        Utf8ToCp932("設定を開く"),
        Utf8ToCp932("見出しTitle r.T ｱｲｳ123"),
        Utf8ToCp932("とても長いボタンのテキストです。とても長いボタンのテキストです。"),
    };
    for (const std::int32_t height : {9, 12, 14, 20, 31}) {
        for (const std::string& line : lines) {
            const std::int32_t width = measure.LineWidth(line, height);
            EXPECT_GT(width, 0);
            // Around the width and far on either side.
            for (const std::int32_t offset : {-200, -20, -3, -1, 0, 1, 3, 20, 200}) {
                EXPECT_EQ(measure.LineFits(line, height, width + offset), offset >= 0)
                    << Cp932ToUtf8(line) << " at " << height << " px, " << offset;
            }
        }
        EXPECT_GT(measure.LineHeight(height), 0);
    }
    // A wider font is a wider line.
    EXPECT_LT(measure.LineWidth("WWWW", 10), measure.LineWidth("WWWW", 20));
}

}  // namespace
}  // namespace ze
