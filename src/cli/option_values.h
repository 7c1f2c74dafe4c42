#pragma once

#include <cstdint>
#include <string_view>

// The values of ze-tool's numeric options. A value that does not fit is
// reported on standard error with the option and the form it takes, e.g.
// "ze-tool render: --size: expected WIDTHxHEIGHT with each side 1 to 16384,
// got '0x0'"; the command then prints its synopsis and exits 2.
namespace ze::cli {

// A decimal integer from low to high: digits with an optional leading "-",
// nothing else (no sign "+", no white space, no fraction).
bool ParseNumberOption(std::string_view command, std::string_view option, std::string_view value,
                       std::int64_t low, std::int64_t high, int& number);

// WIDTHxHEIGHT, each side a decimal integer from 1 to maxSide.
bool ParseSizeOption(std::string_view command, std::string_view option, std::string_view value,
                     int maxSide, int& width, int& height);

// Reads a decimal integer from low to high without saying anything: for
// values inside another form, which its caller describes.
bool ReadNumber(std::string_view text, std::int64_t low, std::int64_t high, int& number);

}  // namespace ze::cli
