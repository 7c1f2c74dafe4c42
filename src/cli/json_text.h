#pragma once

#include <string>
#include <string_view>

namespace ze::cli {

// text (UTF-8) as a JSON string with its quotes.
std::string JsonString(std::string_view text);

}  // namespace ze::cli
