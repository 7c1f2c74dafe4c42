#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Longer texts, to try how a dialog takes a translation or a filled-in
// value before either exists.
namespace ze {

// text (Shift_JIS) with each line lengthened by percent of its characters,
// rounded up; the characters added are the line's own from its start, again
// and again, so the script and the mix of wide and narrow characters stay
// as they are. A two-byte character counts as one. A line that is a number
// (digits, with signs, separators and spaces: "1", "-0.5", "50%", "1 / 3")
// stays as it is. percent 0 or less gives text unchanged.
std::string ExpandedText(std::string_view text, std::int32_t percent);

}  // namespace ze
