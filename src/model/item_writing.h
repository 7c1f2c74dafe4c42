#pragma once

#include <string>
#include <string_view>

#include "model/item_list.h"
#include "model/mo_stream.h"

namespace ze {

// Writes the non-empty item texts of items separated by ","; true when any
// was written.
bool WriteItemsJoined(CMoStream& stream, const CItemList& items);
// Appends the non-empty item texts of items to out, the first after before
// and each further one after separator; true when any was appended.
bool AppendItemsJoined(std::string& out, const CItemList& items, std::string_view before,
                       std::string_view separator);

// depth tab characters.
void WriteTabs(CMoStream& stream, int depth);

}  // namespace ze
