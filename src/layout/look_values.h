#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/canvas.h"
#include "layout/mo_unit.h"

// How the device mode of the preview reads the properties that say how an
// element looks: colours, insets, states, values and where images are.
// Keywords are compared without regard to ASCII case; every text is taken as
// a C string, as the layout takes them. docs/device-look.md lists the rules.
namespace ze {

// Compares text (up to its first NUL) with an ASCII keyword.
bool IsKeyword(std::string_view text, std::string_view keyword);

// A BGColor or TColor value: BLACK, WHITE, DKGRAY, GRAY, LTGRAY, RED, GREEN,
// BLUE, CYAN, MAGENTA, YELLOW or "#RRGGBB". nullopt for no colour:
// TRANSPARENT, an empty text or anything else.
std::optional<Rgb> ParseLookColour(std::string_view text);

// The four offsets of a Margin or Padding.
struct Insets {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const Insets&, const Insets&) = default;
};

// "left,top,right,bottom", each part a length read as Width (left, right)
// or Height (top, bottom) is read. A part that is missing, negative or holds
// no number (a keyword, a word) counts as 0.
Insets ParseInsets(std::string_view text, const UnitContext& units);

// box shrunk by insets; the size never goes below 0.
Box ShrinkBox(const Box& box, const Insets& insets);

// Hide, Disable and a bar's Vertical: "true".
bool IsTrueText(std::string_view text);

// The Value of a CHECKBOX, TOGGLE or RADIOBTN: on for "true", "1" and "ON".
bool IsOnValue(std::string_view text);

// The text size when TSize gives none.
inline constexpr std::int32_t kDefaultTextSize = 14;

// TSize in pixels, read as Height is read; kDefaultTextSize when it is
// empty, a keyword, unreadable or not positive.
std::int32_t TextSizeInPixels(std::string_view text, const UnitContext& units);

// A length read as Height is read, or fallback when the text gives no
// positive pixel count (ColumnHeight).
std::int32_t HeightOr(std::string_view text, const UnitContext& units, std::int32_t fallback);

// Where Value lies between Min and Max: (Value − Min) / (Max − Min) within
// 0..1. An empty or unreadable Min is 0, Max 100; an unreadable Value, or
// Max not above Min, gives 0.
double ValueFraction(std::string_view value, std::string_view min, std::string_view max);

struct LookPoint {
    double x = 0;
    double y = 0;

    friend bool operator==(const LookPoint&, const LookPoint&) = default;
};

// A centre position "x,y" (CenterPosCursor...); nullopt unless both are
// numbers.
std::optional<LookPoint> ParseLookPoint(std::string_view text);

// The folders images come from: UTF-8 paths, empty for none.
struct ImageFolders {
    std::string_view project;  // its "resources" sub-folder holds STATION images
    std::string_view builtIn;
};

// The files (UTF-8 paths) that may hold the image file (Shift_JIS) names, in
// the order to try them; FilePath is a sub-folder in each folder tried.
// STATION: the project's resources. BUILTIN, empty or any other source: the
// built-in folder, then the project's resources. URI and STORAGE: none, as
// is an empty file.
std::vector<std::string> ImageCandidates(std::string_view file, std::string_view fileSource,
                                         std::string_view filePath, const ImageFolders& folders);

}  // namespace ze
