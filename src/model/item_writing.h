#pragma once

#include "model/item_list.h"
#include "model/mo_stream.h"

namespace ze {

// Writes the non-empty item texts of items separated by ","; true when any
// was written.
bool WriteItemsJoined(CMoStream& stream, const CItemList& items);

// depth tab characters.
void WriteTabs(CMoStream& stream, int depth);

}  // namespace ze
