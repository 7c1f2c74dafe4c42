#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ze {

// The text shown to the user when resource text cannot be parsed: the line,
// the number of bytes read when the fault was found (errorOffset) and a dump
// of the line before and the failing line with "!" in front of the byte at
// errorOffset. Bytes below 0x20 are shown as "(hex)" so that the dump stays
// one line in a message box.
std::string BuildJsonErrorReport(std::string_view text, std::size_t errorOffset);

}  // namespace ze
