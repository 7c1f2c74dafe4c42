#include "model/resource_reader.h"

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/text_convert.h"
#include "model/event_text.h"
#include "model/schema.h"

namespace ze {

namespace {

// clang-format off
// Hide, Disable and NotifyList are written for groups too; without them here a
// group's values would be lost on every load.
constexpr std::array<std::string_view, 16> kGroupKeys = {
    "Name", "Alias", "Type", "Layout", "Width", "Height", "Weight", "Padding", "Margin",
    "BGColor", "Align", "Vertical", "Value", "Hide", "Disable", "NotifyList"};

// Also read into commands. EnablePinch and EnableCache appear twice; the
// second reading finds the item the first one made.
constexpr std::array<std::string_view, 62> kObjectKeys = {
    "Name", "Alias", "RadioName", "Width", "Height", "Weight", "PosX", "PosY", "Padding",
    "Margin", "Hide", "Disable", "BGColor", "TextOff", "TextOn", "Text", "TSize", "TColor",
    "TAlign", "Stretch", "Wrap", "Span", "File", "FileOff", "FileOn", "FileBase",
    "FileActive", "FileCursor", "FileTop", "FileThumb", "FileSource", "FilePath",
    "ScaleType", "EnablePinch", "EnableCache", "CenterPosBase", "CenterPosCursor",
    "CenterPosTop", "Pattern", "Revers", "Min", "Max", "Value", "Attr", "Vertical",
    "Columns", "ColumnHeight", "Clickable", "Data", "Delete", "NotifyList", "Thumbnail",
    "EnablePinch", "EnableCache", "OffsetX", "OffsetY", "ScaleX", "ScaleY", "DateScale",
    "AutoScroll", "ScaleLock", "Position"};
// clang-format on

constexpr std::array<std::string_view, 6> kHeaderColumnKeys = {"TSize",  "TColor",  "TAlign",
                                                               "Margin", "BGColor", "Clickable"};

// A key table with the position of each key (its first occurrence).
class KeyTable {
public:
    template <std::size_t N>
    explicit KeyTable(const std::array<std::string_view, N>& keys) : keys_(keys) {
        for (std::size_t i = 0; i < N; ++i) {
            index_.emplace(keys[i], static_cast<int>(i));
        }
    }

    // The members of the parser's current object that the table names, with
    // their values in text form (what GetString gives), in the table's order.
    // Looking each member up in the table is far cheaper than asking the
    // object for every key of the table, and the table's order decides which
    // of two values for one item wins.
    std::vector<std::pair<std::string_view, std::string>> Members(const JsonParser& parser) const {
        std::vector<std::pair<int, const JsonMember*>> found;
        if (const JsonValue* current = parser.GetCurrent()) {
            for (const JsonMember& member : current->Members()) {
                if (member.Value().IsNull()) {
                    continue;
                }
                if (const auto it = index_.find(member.Key()); it != index_.end()) {
                    found.emplace_back(it->second, &member);
                }
            }
        }
        std::sort(found.begin(), found.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::pair<std::string_view, std::string>> members;
        members.reserve(found.size());
        for (const auto& [position, member] : found) {
            members.emplace_back(keys_[static_cast<std::size_t>(position)],
                                 member->Value().Serialize(false));
        }
        return members;
    }

private:
    std::span<const std::string_view> keys_;
    std::unordered_map<std::string_view, int> index_;
};

const KeyTable& GroupKeys() {
    static const KeyTable table(kGroupKeys);
    return table;
}

const KeyTable& ObjectKeys() {
    static const KeyTable table(kObjectKeys);
    return table;
}

void AddTextItem(ZeClass& element, std::string_view name, std::string value) {
    element.Items().AddItem(CItemData(item_kind::kPlainText, std::string(name), std::move(value)));
}

// Images of PROGRESS and SLIDEBAR are called FileBase and FileActive, so the
// button-style names are accepted for them.
std::string_view SecondName(std::string_view key) {
    if (key == "FileOff") {
        return "FileBase";
    }
    if (key == "FileOn") {
        return "FileActive";
    }
    return key;
}

CObjectData* ReadGroup(ElementStore& store, CObjectDataList* parent, JsonParser& parser) {
    auto* group = store.Create<CObjectDataList>(parent);
    std::string layout;
    parser.GetString("Layout", layout);
    AddGroupItems(group->Items(), LayoutCode(layout));
    group->SetItem("Layout", layout);
    for (auto& [key, text] : GroupKeys().Members(parser)) {
        std::string value = ConvertToSjis(text);
        if (!group->SetItem(key, value)) {
            AddTextItem(*group, key, std::move(value));
        }
    }
    ReadEventCommands(store, *group, parser);

    const JsonValue* self = parser.GetCurrent();
    JsonArrayWalk walk(parser.GetArray("Objects"));
    while (parser.NextElement(walk)) {
        ReadElement(store, group, parser);
    }
    parser.SetCurrent(self);
    return group;
}

void ReadHeaderColumns(ElementStore& store, CObjectData& object, JsonParser& parser) {
    if (parser.GetArray("Header").Elements().empty()) {
        return;
    }
    const JsonValue* self = parser.GetCurrent();
    JsonArrayWalk walk(parser.GetArray("Header"));
    int count = 0;
    while (parser.NextElement(walk)) {
        ZeClass* column = CreateHeaderColumn(store);
        for (const std::string_view key : kHeaderColumnKeys) {
            std::string value;
            parser.GetString(key, value);
            column->SetItem(key, value);
        }
        object.AddHeader(column);
        ++count;
    }
    parser.SetCurrent(self);
    object.SetItem("Columns", std::to_string(count));
}

CObjectData* ReadObject(ElementStore& store, CObjectDataList* parent, JsonParser& parser) {
    auto* object = store.Create<CObjectData>(parent);
    std::string type;
    parser.GetString("Type", type);
    const int typeIndex = ObjectTypeIndex(type);
    const int parentLayout =
        parent == nullptr ? layout_code::kLinear : LayoutCode(parent->GetItem("Layout"));
    AddObjectItems(object->Items(), typeIndex, parentLayout);
    object->SetItem("Type", type);
    for (auto& [key, text] : ObjectKeys().Members(parser)) {
        std::string value = ConvertToSjis(text);
        if (!object->SetItem(key, value) && !object->SetItem(SecondName(key), value)) {
            AddTextItem(*object, key, std::move(value));
        }
    }
    ReadEventCommands(store, *object, parser);
    if (typeIndex == object_type::kGrid) {
        ReadHeaderColumns(store, *object, parser);
    }
    return object;
}

}  // namespace

CObjectData* ReadElement(ElementStore& store, CObjectDataList* parent, JsonParser& parser) {
    const JsonValue* start = parser.GetCurrent();
    CObjectData* element = nullptr;
    if (parser.IsArray("Objects") || parser.EnterObject("Object")) {
        element = ReadGroup(store, parent, parser);
    } else {
        element = ReadObject(store, parent, parser);
    }
    parser.SetCurrent(start);
    if (parent != nullptr) {
        parent->AddObject(element);
    }
    return element;
}

void ReadCommandElement(ElementStore& store, ZeClass& parent, JsonParser& parser) {
    std::string command;
    std::string event;
    parser.GetString("Command", command);
    parser.GetString("Event", event);
    if (command.empty()) {
        return;
    }
    // On the device CONDITION and UPDATE are both NOTIFY, GETFILE and HELLO
    // both SENDCOMMAND; the schema is keyed by the name the user picked.
    if (command == "NOTIFY") {
        std::string made;
        parser.GetString("MakeCommand", made);
        command = made.empty() ? "CONDITION" : made;
    } else if (command == "SENDCOMMAND") {
        std::string sent;
        parser.GetString("SendCommand", sent);
        command = sent;
    }
    ZeClass* element = CreateCommand(store, command, event);
    // Taken as they are. An absent key keeps the schema's value: a GETFILE or
    // HELLO command written under its own name has no SendCommand, and
    // clearing the fixed one would lose the command on the next load.
    for (const std::string_view key : {"Time", "SendCommand", "ObjectName"}) {
        std::string value;
        if (parser.GetString(key, value)) {
            element->SetItem(key, value);
        }
    }
    for (auto& [key, text] : ObjectKeys().Members(parser)) {
        element->SetItem(key, ConvertToSjis(text));
    }
    parent.AddChild(element);
}

void ReadEventCommands(ElementStore& store, ZeClass& parent, JsonParser& parser) {
    const JsonValue* self = parser.GetCurrent();
    for (const std::string_view event : kEventNames) {
        if (parser.IsNull(event)) {
            continue;
        }
        if (parser.IsArray(event)) {
            JsonArrayWalk walk(parser.GetArray(event));
            while (parser.NextElement(walk)) {
                ReadCommandElement(store, parent, parser);
            }
        } else if (parser.EnterObject(event)) {
            ReadCommandElement(store, parent, parser);
        }
        // Any other value (a command name typed into the event property) is
        // no command; reading the element itself as one would invent one.
        parser.SetCurrent(self);
    }
}

}  // namespace ze
