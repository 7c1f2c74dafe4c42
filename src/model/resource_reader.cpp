#include "model/resource_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
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
        static_assert(N < kSlots / 2 && N <= 64);
        slots_.fill(-1);
        for (std::size_t i = 0; i < N; ++i) {
            if (Find(keys[i]) < 0) {  // a key given twice keeps its first position
                std::size_t slot = SlotOf(keys[i]);
                while (slots_[slot] >= 0) {
                    slot = (slot + 1) % kSlots;
                }
                slots_[slot] = static_cast<int>(i);
            }
        }
    }

    // The members of an object that the table names, in the table's order.
    // Keys of an object are unique, so there are at most as many as keys.
    class Found {
    public:
        struct Member {
            std::string_view key;
            int position;  // in the table
            const JsonValue* value;
        };
        const Member* begin() const { return members_.data(); }
        const Member* end() const { return members_.data() + count_; }

    private:
        friend class KeyTable;
        std::array<Member, 64> members_;
        std::size_t count_ = 0;
    };

    // Looking each member of the parser's current object up in the table is
    // far cheaper than asking the object for every key of the table, and
    // the table's order decides which of two values for one item wins. The
    // values stay valid while the parsed tree does.
    Found Members(const JsonParser& parser) const {
        // Marked by position, then taken in the table's order: no sort.
        std::array<const JsonValue*, 64> byPosition;
        std::uint64_t marked = 0;
        if (const JsonValue* current = parser.GetCurrent()) {
            for (const JsonMember& member : current->Members()) {
                if (member.Value().IsNull()) {
                    continue;
                }
                if (const int position = Find(member.Key()); position >= 0) {
                    byPosition[static_cast<std::size_t>(position)] = &member.Value();
                    marked |= std::uint64_t{1} << position;
                }
            }
        }
        Found members;
        while (marked != 0) {
            const int position = std::countr_zero(marked);
            marked &= marked - 1;
            members.members_[members.count_++] = {keys_[static_cast<std::size_t>(position)],
                                                  position,
                                                  byPosition[static_cast<std::size_t>(position)]};
        }
        return members;
    }

private:
    // Open addressing over a hash of the length and the first and last
    // bytes: a key of a member is looked up for every member of every
    // element, and hashing each whole key cost more than the rest.
    static constexpr std::size_t kSlots = 256;

    static std::size_t SlotOf(std::string_view key) {
        if (key.empty()) {
            return 0;
        }
        const auto first = static_cast<unsigned char>(key.front());
        const auto last = static_cast<unsigned char>(key.back());
        return (key.size() * 41 + first * 7 + last * 13) % kSlots;
    }

    // The key's position in the table, or -1.
    int Find(std::string_view key) const {
        for (std::size_t slot = SlotOf(key);; slot = (slot + 1) % kSlots) {
            const int position = slots_[slot];
            if (position < 0) {
                return -1;
            }
            if (keys_[static_cast<std::size_t>(position)] == key) {
                return position;
            }
        }
    }

    std::span<const std::string_view> keys_;
    std::array<int, kSlots> slots_;
};

const KeyTable& GroupKeys() {
    static const KeyTable table(kGroupKeys);
    return table;
}

const KeyTable& ObjectKeys() {
    static const KeyTable table(kObjectKeys);
    return table;
}

void AddTextItem(ZeClass& element, std::string_view name, std::string_view value) {
    element.Items().AddItem(CItemData(item_kind::kPlainText, name, value));
}

// A member's value in text form (what GetString gives) in the model's
// coding. A string is seen where the parsed tree holds it; any other value
// is written out. Plain ASCII (no escape byte that would start JIS) is the
// same in every coding the reader knows, and most values are plain ASCII:
// they are taken as they are.
class SjisValue {
public:
    explicit SjisValue(const JsonValue& value) {
        if (value.Type() == JsonType::String) {
            Take(value.AsString());
        } else {
            spelled_ = value.Serialize(false);
            Take(spelled_);
        }
    }
    SjisValue(const SjisValue&) = delete;
    SjisValue& operator=(const SjisValue&) = delete;
    std::string_view View() const { return view_; }

private:
    void Take(std::string_view text) {
        const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x80 && c != '\x1B';
        });
        if (plain) {
            view_ = text;
        } else {
            converted_ = ConvertToSjis(text);
            view_ = converted_;
        }
    }

    std::string spelled_;
    std::string converted_;
    std::string_view view_;
};

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

// For each key of the object table, the row of the first item of a schema
// list with that name and the row of the first with its second name (-1:
// none). Worked out once per list and thread: tens of thousands of objects
// and commands share a few dozen lists, and looking each value's item up by
// name in them took a tenth of a load.
using KeyRows = std::vector<std::pair<int, int>>;

const KeyRows& ObjectKeyRows(const CItemList& list) {
    thread_local std::unordered_map<const CItemList*, KeyRows> cache;
    const auto [it, inserted] = cache.try_emplace(&list);
    if (inserted) {
        const auto rowOf = [&list](std::string_view name) {
            for (std::size_t i = 0; i < list.GetItemCount(); ++i) {
                if (list.GetItemData(i).GetName() == name) {
                    return static_cast<int>(i);
                }
            }
            return -1;
        };
        for (const std::string_view key : kObjectKeys) {
            it->second.emplace_back(rowOf(key), rowOf(SecondName(key)));
        }
    }
    return it->second;
}

CObjectData* ReadGroup(ElementStore& store, CObjectDataList* parent, JsonParser& parser) {
    auto* group = store.Create<CObjectDataList>(parent);
    std::string layout;
    parser.GetString("Layout", layout);
    AddGroupItems(group->Items(), LayoutCode(layout));
    group->SetItem("Layout", layout);
    for (const auto& member : GroupKeys().Members(parser)) {
        const SjisValue value(*member.value);
        if (!group->SetItem(member.key, value.View())) {
            AddTextItem(*group, member.key, value.View());
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
    const CItemList& schema = ObjectItems(typeIndex, parentLayout);
    object->Items().AppendItems(schema);
    object->SetItem("Type", type);
    // The schema's rows come first in the list, so the first item with a
    // name is the schema's when it has one. No item added for a key the
    // schema lacks can have another member's name or second name (the keys
    // are unique, and a second name's key comes later in the table); those
    // keys are looked up by name all the same.
    const KeyRows& rows = ObjectKeyRows(schema);
    for (const auto& member : ObjectKeys().Members(parser)) {
        const SjisValue value(*member.value);
        const auto [row, secondRow] = rows[static_cast<std::size_t>(member.position)];
        if (row >= 0 || secondRow >= 0) {
            const int at = row >= 0 ? row : secondRow;
            object->Items().GetItemData(static_cast<std::size_t>(at)).SetValue(value.View());
        } else if (!object->SetItem(member.key, value.View()) &&
                   !object->SetItem(SecondName(member.key), value.View())) {
            AddTextItem(*object, member.key, value.View());
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
    // The command's items are its Event, then its schema's.
    if (const CItemList* schema = CommandItems(command)) {
        const KeyRows& rows = ObjectKeyRows(*schema);
        for (const auto& member : ObjectKeys().Members(parser)) {
            if (const int row = rows[static_cast<std::size_t>(member.position)].first; row >= 0) {
                element->Items()
                    .GetItemData(static_cast<std::size_t>(row) + 1)
                    .SetValue(SjisValue(*member.value).View());
            }
        }
    }
    parent.AddChild(element);
}

void ReadEventCommands(ElementStore& store, ZeClass& parent, JsonParser& parser) {
    const JsonValue* self = parser.GetCurrent();
    if (self == nullptr || !self->IsObject()) {
        return;
    }
    // Every event name starts with "On", and the members are sorted by key:
    // one pass over the few members from "On" on finds them all, read then
    // in the events' order.
    std::array<const JsonValue*, kEventNames.size()> events{};
    const std::span<const JsonMember> members = self->Members();
    auto member = std::lower_bound(
        members.begin(), members.end(), std::string_view("On"),
        [](const JsonMember& m, std::string_view wanted) { return m.Key() < wanted; });
    for (; member != members.end() && member->Key().starts_with("On"); ++member) {
        const auto event = std::find(kEventNames.begin(), kEventNames.end(), member->Key());
        if (event != kEventNames.end()) {
            events[static_cast<std::size_t>(event - kEventNames.begin())] = &member->Value();
        }
    }
    for (const JsonValue* value : events) {
        if (value == nullptr || value->IsNull()) {
            continue;
        }
        if (value->IsArray()) {
            JsonArrayWalk walk(*value);
            while (parser.NextElement(walk)) {
                ReadCommandElement(store, parent, parser);
            }
        } else if (value->IsObject()) {
            parser.SetCurrent(value);
            ReadCommandElement(store, parent, parser);
        }
        // Any other value (a command name typed into the event property) is
        // no command; reading the element itself as one would invent one.
        parser.SetCurrent(self);
    }
}

}  // namespace ze
