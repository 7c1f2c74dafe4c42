#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// How a length text ("120px", "50", "PARENT", "CONTENT"...) reads: the scan
// the preview's units use and the entry check of lengths share it. Texts are
// taken as C strings, as the property values were.
namespace ze {

// text up to its first NUL byte.
std::string_view AsCString(std::string_view text);

// The "%d" of a scan: white space, an optional sign and at least one digit.
// The number saturates at the int32 range. end receives the position after
// the last digit; nullopt when no digit follows.
std::optional<std::int32_t> ScanDecimal(std::string_view text, std::size_t& end);

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

struct UnitSuffix {
    std::string_view suffix;
    std::int32_t code;
};

// The suffixes a length may end in, in unit code order.
inline constexpr std::array<UnitSuffix, 5> kUnitSuffixes = {{
    {"px", unit_code::kPx},
    {"pu", unit_code::kPu},
    {"pt", unit_code::kPt},
    {"mm", unit_code::kMm},
    {"dp", unit_code::kDp},
}};

// The keywords of the size list.
inline constexpr std::string_view kParentText = "PARENT";
inline constexpr std::string_view kContentText = "CONTENT";

// The longest suffix the scan reads; the rest of a longer one is ignored.
inline constexpr std::size_t kMaxSuffixLength = 15;

// A length text as the scan reads it.
struct ScannedLength {
    std::int32_t value = length::kContent;
    std::int32_t unit = unit_code::kPx;
    // The scan read all of the text and knew all it read: a keyword, or a
    // number with no suffix or one of kUnitSuffixes. False for the texts it
    // reads only in part ("12abc", "1 2", "12%") or takes for CONTENT
    // because no number starts them ("abc", "", "parent").
    bool whole = false;
};

// "CONTENT" and "PARENT" exactly give the sentinels (unit px); otherwise a
// signed decimal number (leading white space allowed) with an optional
// suffix of letters, "_" and "%": "px", "pu", "pt", "mm", "dp", any other
// suffix or none meaning pu. A text that does not start with a number is
// CONTENT. The text ends at its first NUL.
ScannedLength ScanLength(std::string_view text);

}  // namespace ze
