#include "model/item_writing.h"

#include <string>

namespace ze {

bool WriteItemsJoined(CMoStream& stream, const CItemList& items) {
    thread_local std::string text;
    text.clear();
    AppendItemsJoined(text, items, "", ",");
    stream.Write(text);
    return !text.empty();
}

bool AppendItemsJoined(std::string& out, const CItemList& items, std::string_view before,
                       std::string_view separator) {
    bool wrote = false;
    for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
        const std::size_t mark = out.size();
        out += wrote ? separator : before;
        if (items.AppendItemText(i, out)) {
            wrote = true;
        } else {
            out.resize(mark);
        }
    }
    return wrote;
}

void WriteTabs(CMoStream& stream, int depth) {
    for (int i = 0; i < depth; ++i) {
        stream.Write("\t", 1);
    }
}

}  // namespace ze
