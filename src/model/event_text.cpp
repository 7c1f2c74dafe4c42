#include "model/event_text.h"

#include "model/item_writing.h"
#include "model/property_names.h"

namespace ze {

std::string BuildEventText(const std::vector<ZeClass*>& commands, int depth) {
    std::string text;
    bool firstGroup = true;
    for (const std::string_view event : kEventNames) {
        std::size_t count = 0;
        for (const ZeClass* command : commands) {
            if (command->GetItem(prop::kEvent) == event) {
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
            if (command->GetItem(prop::kEvent) != event) {
                continue;
            }
            if (!firstCommand) {
                text += ',';
            }
            text += '{';
            AppendItemsJoined(text, command->Items(), "", ",");
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
