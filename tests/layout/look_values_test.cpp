#include "layout/look_values.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace ze {
namespace {

std::string Show(const std::optional<Rgb>& colour) {
    if (!colour) {
        return "none";
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour->red, colour->green, colour->blue);
    return text;
}

std::string Show(const Insets& insets) {
    return std::to_string(insets.left) + "," + std::to_string(insets.top) + "," +
           std::to_string(insets.right) + "," + std::to_string(insets.bottom);
}

std::string Show(const Box& box) {
    return std::to_string(box.x) + "," + std::to_string(box.y) + " " + std::to_string(box.width) +
           "x" + std::to_string(box.height);
}

std::string Show(const std::optional<LookPoint>& point) {
    if (!point) {
        return "none";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%g,%g", point->x, point->y);
    return text;
}

std::string Show(double fraction) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", fraction);
    return text;
}

std::string Show(const std::vector<std::string>& paths) {
    std::string joined;
    for (const std::string& path : paths) {
        joined += (joined.empty() ? "" : " | ") + path;
    }
    return joined.empty() ? "none" : joined;
}

struct Case {
    const char* what;
    std::string actual;
    std::string expected;
};

TEST(LookValuesTest, ReadsTheValuesOfTheDeviceLook) {
    // A page of 200 × 100 pixels for a target layout of 400 × 50: a bare
    // number is half a pixel across and two pixels down.
    UnitContext units;
    units.previewWidth = 200;
    units.previewHeight = 100;
    units.targetLayoutWidth = 400;
    units.targetLayoutHeight = 50;
    const ImageFolders folders{"/p", "/b"};
    const ImageFolders noProject{"", "/b/"};
    const std::string sjisName = "\x93\xfa.png";  // 日.png in Shift_JIS

    const Case cases[] = {
        {"colour name", Show(ParseLookColour("DKGRAY")), "#444444"},
        {"colour name, any case", Show(ParseLookColour("ltGray")), "#CCCCCC"},
        {"hex colour", Show(ParseLookColour("#336699")), "#336699"},
        {"hex colour, lower case", Show(ParseLookColour("#a0b0c0")), "#A0B0C0"},
        {"transparent", Show(ParseLookColour("TRANSPARENT")), "none"},
        {"empty colour", Show(ParseLookColour("")), "none"},
        {"short hex", Show(ParseLookColour("#12345")), "none"},
        {"bad hex digit", Show(ParseLookColour("#12345G")), "none"},
        {"unknown name", Show(ParseLookColour("PINK")), "none"},

        {"insets in px", Show(ParseInsets("1px,2px,3px,4px", units)), "1,2,3,4"},
        {"insets in pu", Show(ParseInsets("10,10,10,10", units)), "5,20,5,20"},
        {"insets, missing parts", Show(ParseInsets("8px,6px", units)), "8,6,0,0"},
        {"insets, words and negatives", Show(ParseInsets("a,-4px,PARENT,3px", units)), "0,0,0,3"},
        {"shrunk box", Show(ShrinkBox(Box{10, 20, 100, 50}, Insets{1, 2, 3, 4})), "11,22 96x44"},
        {"box shrunk away", Show(ShrinkBox(Box{10, 20, 10, 10}, Insets{8, 8, 8, 8})), "18,28 0x0"},

        {"text size in px", std::to_string(TextSizeInPixels("20px", units)), "20"},
        {"text size in pu", std::to_string(TextSizeInPixels("8", units)), "16"},
        {"text size in pt", std::to_string(TextSizeInPixels("9pt", units)), "20"},
        {"text size empty", std::to_string(TextSizeInPixels("", units)), "14"},
        {"text size keyword", std::to_string(TextSizeInPixels("CONTENT", units)), "14"},

        {"on: true", std::to_string(IsOnValue("TRUE")), "1"},
        {"on: 1", std::to_string(IsOnValue("1")), "1"},
        {"on: off", std::to_string(IsOnValue("OFF")), "0"},
        {"on: on", std::to_string(IsOnValue("on")), "1"},
        {"true text", std::to_string(IsTrueText("true")), "1"},

        {"fraction", Show(ValueFraction("25", "0", "100")), "0.25"},
        {"fraction, defaults", Show(ValueFraction("40", "", "")), "0.4"},
        {"fraction, decimal value", Show(ValueFraction("12.5", "10", "20")), "0.25"},
        {"fraction above max", Show(ValueFraction("150", "0", "100")), "1"},
        {"fraction below min", Show(ValueFraction("-5", "0", "100")), "0"},
        {"fraction, max not above min", Show(ValueFraction("5", "10", "10")), "0"},
        {"fraction, placeholder value", Show(ValueFraction("$v", "0", "100")), "0"},

        {"point", Show(ParseLookPoint("4,24")), "4,24"},
        {"point with spaces", Show(ParseLookPoint(" 4.5, 2")), "4.5,2"},
        {"point, one number", Show(ParseLookPoint("4")), "none"},

        {"station", Show(ImageCandidates("a.png", "STATION", "", folders)), "/p/resources/a.png"},
        {"station with a path", Show(ImageCandidates("a.png", "station", "sub/dir", folders)),
         "/p/resources/sub/dir/a.png"},
        {"built-in, then resources", Show(ImageCandidates("a.png", "BUILTIN", "", folders)),
         "/b/a.png | /p/resources/a.png"},
        {"no source", Show(ImageCandidates("a.png", "", "s", folders)),
         "/b/s/a.png | /p/resources/s/a.png"},
        {"no project folder", Show(ImageCandidates("a.png", "", "", noProject)), "/b/a.png"},
        {"uri", Show(ImageCandidates("a.png", "URI", "", folders)), "none"},
        {"no file", Show(ImageCandidates("", "STATION", "", folders)), "none"},
        {"Shift_JIS name", Show(ImageCandidates(sjisName, "STATION", "", folders)),
         "/p/resources/\xe6\x97\xa5.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual, c.expected) << c.what;
    }
}

}  // namespace
}  // namespace ze
