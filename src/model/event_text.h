#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/ze_class.h"

namespace ze {

// The events a command can hang on, in the order they are written and read.
inline constexpr std::array<std::string_view, 7> kEventNames = {
    "OnClick", "OnSlide", "OnTouch", "OnRelease", "OnTimer", "OnOpen", "OnClose"};

// The commands of a list grouped by event: for each event with commands,
// "\n", depth tabs, "'Event':" and one command object, or an array of them.
// Groups are separated by ","; commands on other events are left out, so the
// text may be empty.
std::string BuildEventText(const std::vector<ZeClass*>& commands, int depth);
// The same appended to text; false when it appended nothing.
bool AppendEventText(std::string& text, const std::vector<ZeClass*>& commands, int depth);

}  // namespace ze
