#include "model/event_text.h"

namespace ze {

std::string BuildEventText(const std::vector<ZeClass*>& commands, int depth) {
    std::string text;
    bool firstGroup = true;
    for (const std::string_view event : kEventNames) {
        std::size_t count = 0;
        for (const ZeClass* command : commands) {
            if (command->GetItem("Event") == event) {
                ++count;
            }
        }
        if (count == 0) {
            continue;
        }
        if (!firstGroup) {
            text += ',';
        }
        text += '\n';
        text.append(static_cast<std::size_t>(depth > 0 ? depth : 0), '\t');
        text += '\'';
        text += event;
        text += "':";
        if (count > 1) {
            text += '[';
        }
        bool firstCommand = true;
        for (const ZeClass* command : commands) {
            if (command->GetItem("Event") != event) {
                continue;
            }
            if (!firstCommand) {
                text += ',';
            }
            text += '{';
            bool firstItem = true;
            const CItemList& items = command->Items();
            for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
                const std::string item = items.WriteItem(i);
                if (item.empty()) {
                    continue;
                }
                if (!firstItem) {
                    text += ',';
                }
                text += item;
                firstItem = false;
            }
            text += '}';
            firstCommand = false;
        }
        if (count > 1) {
            text += ']';
        }
        firstGroup = false;
    }
    return text;
}

}  // namespace ze
