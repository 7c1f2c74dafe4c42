#include "codegen/sjis_text.h"

#include <gtest/gtest.h>

namespace ze {
namespace {

// "ダ" is 0x83 0x5F: its trail byte is '_', the first byte of every placeholder.
constexpr std::string_view kDa = "\x83\x5F";

TEST(SjisTextTest, ReplaceAllNeverMatchesAtATrailByte) {
    const std::string text = std::string(kDa) + "APPNAME_ " + std::string(kDa) + "_APPNAME_";
    EXPECT_EQ(ReplaceAllSjis(text, "_APPNAME_", "App"),
              std::string(kDa) + "APPNAME_ " + std::string(kDa) + "App");
    EXPECT_EQ(FindSjis(std::string(kDa) + "APPNAME_", "_APPNAME_"), std::string::npos);
    EXPECT_EQ(FindSjis(std::string(kDa) + "%M", "%M"), 2u);
}

TEST(SjisTextTest, ReplaceAllScansLeftToRightWithoutRescanningInsertedText) {
    EXPECT_EQ(ReplaceAllSjis("_A_ _A_", "_A_", "x_A_y"), "x_A_y x_A_y");
    // Overlapping candidates: the leftmost wins, the scan goes on after it.
    EXPECT_EQ(ReplaceAllSjis("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAllSjis("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAllSjis("", "a", "x"), "");
    // A lone lead byte at the end is kept as it is.
    EXPECT_EQ(ReplaceAllSjis("a\x83", "a", "b"), "b\x83");
}

TEST(SjisTextTest, ToUpperChangesAsciiLettersOnly) {
    EXPECT_EQ(ToUpperSjis("PopUp none"), "POPUP NONE");
    // 0x83 0x61 is "a" as a trail byte: the character must survive.
    EXPECT_EQ(ToUpperSjis("\x83\x61z"), "\x83\x61Z");
}

}  // namespace
}  // namespace ze
