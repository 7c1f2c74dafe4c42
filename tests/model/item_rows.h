#pragma once

// The row of a named item, as the property list shows it; the edit tests
// commit through rows.

#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>

#include "model/ze_class.h"

namespace ze {

inline std::size_t RowOf(const ZeClass& element, std::string_view name) {
    for (std::size_t i = 0; i < element.Items().GetItemCount(); ++i) {
        if (element.Items().GetItemData(i).GetName() == name) {
            return i;
        }
    }
    ADD_FAILURE() << "no item " << name;
    return 0;
}

}  // namespace ze
