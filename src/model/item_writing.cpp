#include "model/item_writing.h"

#include <string>

namespace ze {

bool WriteItemsJoined(CMoStream& stream, const CItemList& items) {
    bool wrote = false;
    for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
        const std::string text = items.WriteItem(i);
        if (text.empty()) {
            continue;
        }
        if (wrote) {
            stream.Write(",", 1);
        }
        stream.Write(text);
        wrote = true;
    }
    return wrote;
}

void WriteTabs(CMoStream& stream, int depth) {
    for (int i = 0; i < depth; ++i) {
        stream.Write("\t", 1);
    }
}

}  // namespace ze
