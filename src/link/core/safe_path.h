#pragma once

#include <string_view>

namespace ze::link {

// Whether a name taken from the network, joined to a served folder, stays
// inside that folder: no ".." step, no NUL byte, no backslash and, unless
// leadingSlash allows one (HTTP paths begin with "/"), no absolute path.
// The name is an operating-system (UTF-8) path.
bool StaysInsideFolder(std::string_view name, bool leadingSlash);

}  // namespace ze::link
