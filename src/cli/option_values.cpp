#include "cli/option_values.h"

#include <charconv>
#include <iostream>

namespace ze::cli {

bool ReadNumber(std::string_view text, std::int64_t low, std::int64_t high, int& number) {
    std::int64_t read = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, read);
    if (text.empty() || error != std::errc() || stop != end || read < low || read > high) {
        return false;
    }
    number = static_cast<int>(read);
    return true;
}

bool ParseNumberOption(std::string_view command, std::string_view option, std::string_view value,
                       std::int64_t low, std::int64_t high, int& number) {
    if (ReadNumber(value, low, high, number)) {
        return true;
    }
    std::cerr << "ze-tool " << command << ": " << option << ": expected a whole number from " << low
              << " to " << high << ", got '" << value << "'\n";
    return false;
}

bool ParseSizeOption(std::string_view command, std::string_view option, std::string_view value,
                     int maxSide, int& width, int& height) {
    const std::size_t x = value.find('x');
    int readWidth = 0;
    int readHeight = 0;
    if (x != std::string_view::npos && ReadNumber(value.substr(0, x), 1, maxSide, readWidth) &&
        ReadNumber(value.substr(x + 1), 1, maxSide, readHeight)) {
        width = readWidth;
        height = readHeight;
        return true;
    }
    std::cerr << "ze-tool " << command << ": " << option
              << ": expected WIDTHxHEIGHT with each side 1 to " << maxSide << ", got '" << value
              << "'\n";
    return false;
}

}  // namespace ze::cli
