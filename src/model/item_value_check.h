#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/item_data.h"

namespace ze {

// Values the resource text reader could not take back. The writer copies
// values into the text unescaped, so a quoted value must not hold a single
// quote, a backslash or a control byte, and a bare value (kind 10 and up,
// not starting with "$") must be resource text of its own.
struct ValueRefusal {
    bool refused = false;
    // The user's message (Shift_JIS), naming the character that is not
    // allowed (or saying that the value is not resource text).
    std::string message;
};

// value is Shift_JIS. An empty value (not set) is always accepted. The
// verdict comes from writing the item as a save does and reading it back as
// a load does; a value written as UTF-8 (kind 2, kind 10) may come back with
// its half-width katakana widened, which is accepted.
ValueRefusal CheckItemValue(ItemKind kind, std::string_view value);

}  // namespace ze
