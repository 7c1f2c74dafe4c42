#pragma once

#include <cstdint>
#include <string_view>

// AsCString and ScanDecimal, which the length scan uses too.
#include "model/length_text.h"

// How the layout reads the texts of Weight, Vertical, Align and the size
// items. Every text is taken as a C string, as the property values were.
namespace ze {

// atoi: the number text starts with, 0 when it starts with none.
std::int32_t DecimalValue(std::string_view text);

// Alignment values: horizontal (0 LEFT, 1 CENTER, 2 RIGHT) + 3 × vertical
// (0 TOP, 1 MIDDLE, 2 BOTTOM).
namespace alignment {
inline constexpr int kLeft = 0;
inline constexpr int kCenter = 1;
inline constexpr int kRight = 2;
inline constexpr int kTop = 0;
inline constexpr int kMiddle = 1;
inline constexpr int kBottom = 2;
inline int Horizontal(int value) {
    return value % 3;
}
inline int Vertical(int value) {
    return value / 3;
}
}  // namespace alignment

// Leading "|" are skipped; the word up to the next "|" is horizontal, all
// after that "|" vertical; without a second word the first serves for both.
// Unknown words count as LEFT and TOP.
int ParseAlignment(std::string_view text);

}  // namespace ze
