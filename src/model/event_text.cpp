#include "model/event_text.h"

#include <algorithm>
#include <string_view>

#include "model/item_writing.h"
#include "model/property_names.h"

namespace ze {

std::string BuildEventText(const std::vector<ZeClass*>& commands, int depth) {
    std::string text;
    AppendEventText(text, commands, depth);
    return text;
}

bool AppendEventText(std::string& text, const std::vector<ZeClass*>& commands, int depth) {
    const std::size_t start = text.size();
    // Each command's event, looked up once.
    thread_local std::vector<std::string_view> events;
    events.clear();
    for (const ZeClass* command : commands) {
        events.push_back(command->Items().GetItemView(prop::kEvent));
    }
    bool firstGroup = true;
    for (const std::string_view event : kEventNames) {
        const auto count = static_cast<std::size_t>(std::count(events.begin(), events.end(), event));
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
        for (std::size_t i = 0; i < commands.size(); ++i) {
            if (events[i] != event) {
                continue;
            }
            if (!firstCommand) {
                text += ',';
            }
            text += '{';
            AppendItemsJoined(text, commands[i]->Items(), "", ",");
            text += '}';
            firstCommand = false;
        }
        if (count > 1) {
            text += ']';
        }
        firstGroup = false;
    }
    return text.size() != start;
}

}  // namespace ze
