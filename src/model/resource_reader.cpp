#include "model/resource_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/text_convert.h"
#include "model/event_text.h"
#include "model/property_names.h"
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

// The other keys an element or a command is read by, after the object keys.
constexpr std::array<std::string_view, 12> kOtherKeys = {
    "Type",    "Layout",      "Align",       "Objects", "Object",     "Header",
    "Command", "MakeCommand", "SendCommand", "Time",    "ObjectName", "Event"};

constexpr std::size_t kAllKeyCount = kObjectKeys.size() + kOtherKeys.size() + kEventNames.size();

constexpr std::array<std::string_view, kAllKeyCount> AllKeys() {
    std::array<std::string_view, kAllKeyCount> keys{};
    std::size_t at = 0;
    for (const auto& list : {std::span<const std::string_view>(kObjectKeys),
                             std::span<const std::string_view>(kOtherKeys),
                             std::span<const std::string_view>(kEventNames)}) {
        for (const std::string_view key : list) {
            keys[at++] = key;
        }
    }
    return keys;
}

// Every key the reader takes from an object. The object keys come first, so a
// key's position here is its position in kObjectKeys.
constexpr std::array<std::string_view, kAllKeyCount> kAllKeys = AllKeys();

constexpr int PositionOf(std::string_view key) {
    for (std::size_t i = 0; i < kAllKeys.size(); ++i) {
        if (kAllKeys[i] == key) {
            return static_cast<int>(i);
        }
    }
    throw "not a key of the reader";  // a compile-time error in a constant expression
}

template <std::size_t N>
constexpr std::array<int, N> PositionsOf(const std::array<std::string_view, N>& keys) {
    std::array<int, N> positions{};
    for (std::size_t i = 0; i < N; ++i) {
        positions[i] = PositionOf(keys[i]);
    }
    return positions;
}

constexpr std::array<int, kGroupKeys.size()> kGroupKeyPositions = PositionsOf(kGroupKeys);
constexpr std::array<int, kEventNames.size()> kEventPositions = PositionsOf(kEventNames);
constexpr std::array<int, kHeaderColumnKeys.size()> kHeaderColumnPositions =
    PositionsOf(kHeaderColumnKeys);
constexpr int kObjectKeyCount = static_cast<int>(kObjectKeys.size());
constexpr int kTypeKey = PositionOf(prop::kType);
constexpr int kLayoutKey = PositionOf(prop::kLayout);
constexpr int kObjectsKey = PositionOf("Objects");
constexpr int kObjectKey = PositionOf("Object");
constexpr int kHeaderKey = PositionOf("Header");
constexpr int kCommandKey = PositionOf(prop::kCommand);
constexpr int kMakeCommandKey = PositionOf(prop::kMakeCommand);
constexpr int kSendCommandKey = PositionOf(prop::kSendCommand);
constexpr int kEventKey = PositionOf(prop::kEvent);
// Set on a command as they are, without a conversion.
constexpr std::array<int, 3> kRawCommandKeys = {
    PositionOf(prop::kTime), PositionOf(prop::kSendCommand), PositionOf(prop::kObjectName)};

// The members of one object that the reader knows, found in one pass over them:
// each element and command is read by a dozen keys or more, and looking each
// of them up in its object cost more than the rest of reading it. Null values
// count as absent, as they do for every query of the parser.
class MemberIndex {
public:
    explicit MemberIndex(const JsonValue* object);

    const JsonValue* Of(int position) const {
        const auto at = static_cast<std::size_t>(position);
        return (marks_[at / 64] >> (at % 64) & 1) != 0 ? values_[at] : nullptr;
    }

    // The value at position in its text form, as JsonParser::GetString gives it.
    bool Spell(int position, std::string& out) const {
        const JsonValue* value = Of(position);
        if (value == nullptr) {
            return false;
        }
        if (value->Type() == JsonType::String) {
            out.assign(value->AsString());
        } else {
            out.clear();
            value->SerializeTo(out, false);
        }
        return true;
    }

    // The object keys present, a bit per position in kObjectKeys.
    std::uint64_t ObjectKeyMarks() const {
        static_assert(kObjectKeys.size() < 64);
        return marks_[0] & ((std::uint64_t{1} << kObjectKeys.size()) - 1);
    }

    // Calls visit(key, position, value) for each object key present, in
    // kObjectKeys' order, which decides which of two values for one item wins.
    template <typename Visit>
    void ForEachObjectKey(Visit visit) const {
        static_assert(kObjectKeys.size() <= 64);
        for (std::uint64_t marked = marks_[0]; marked != 0; marked &= marked - 1) {
            const int position = std::countr_zero(marked);
            if (position >= kObjectKeyCount) {
                break;
            }
            visit(kAllKeys[static_cast<std::size_t>(position)], position,
                  *values_[static_cast<std::size_t>(position)]);
        }
    }

private:
    std::array<std::uint64_t, (kAllKeyCount + 63) / 64> marks_{};
    // Only the marked entries are set.
    std::array<const JsonValue*, kAllKeyCount> values_;
};

// The position of each key in kAllKeys by open addressing over a hash of the
// length and the first and last bytes: hashing whole keys cost more than
// the rest of the lookup.
class KeyTable {
public:
    KeyTable() {
        slots_.fill(-1);
        for (std::size_t i = 0; i < kAllKeys.size(); ++i) {
            if (Find(kAllKeys[i]) < 0) {  // a key given twice keeps its first position
                std::size_t slot = SlotOf(kAllKeys[i]);
                while (slots_[slot] >= 0) {
                    slot = (slot + 1) % kSlots;
                }
                slots_[slot] = static_cast<int>(i);
            }
        }
    }

    // The key's position in kAllKeys, or -1.
    int Find(std::string_view key) const {
        for (std::size_t slot = SlotOf(key);; slot = (slot + 1) % kSlots) {
            const int position = slots_[slot];
            if (position < 0) {
                return -1;
            }
            if (Same(kAllKeys[static_cast<std::size_t>(position)], key)) {
                return position;
            }
        }
    }

private:
    static constexpr std::size_t kSlots = 256;
    static_assert(kAllKeyCount < kSlots / 2);

    // Keys are short: comparing their bytes here is cheaper than a call to
    // memcmp for each.
    static bool Same(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) {
            return false;
        }
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i] != b[i]) {
                return false;
            }
        }
        return true;
    }

    static std::size_t SlotOf(std::string_view key) {
        if (key.empty()) {
            return 0;
        }
        const auto first = static_cast<unsigned char>(key.front());
        const auto last = static_cast<unsigned char>(key.back());
        return (key.size() * 41 + std::size_t{first} * 7 + std::size_t{last} * 13) % kSlots;
    }

    std::array<int, kSlots> slots_;
};

MemberIndex::MemberIndex(const JsonValue* object) {
    static const KeyTable table;
    if (object == nullptr) {
        return;
    }
    for (const JsonMember& member : object->Members()) {
        if (member.Value().IsNull()) {
            continue;
        }
        if (const int position = table.Find(member.Key()); position >= 0) {
            const auto at = static_cast<std::size_t>(position);
            values_[at] = &member.Value();
            marks_[at / 64] |= std::uint64_t{1} << (at % 64);
        }
    }
}

void AddTextItem(ZeClass& element, std::string_view name, std::string_view value) {
    element.Items().AddItem(CItemData(ItemKind::kPlainText, name, value));
}

// A member's value in text form (what GetString gives) in the model's
// coding. A string is seen where the parsed tree holds it; any other value
// is written out. The view is valid until the next call: one ValueText
// serves all the values of a loop, and only a value longer than a string's
// own buffer costs an allocation, once.
class ValueText {
public:
    std::string_view Of(const JsonValue& value) {
        switch (value.Type()) {
            case JsonType::String:
                return Sjis(value.AsString());
            // Numbers and booleans are spelled here as SerializeTo spells
            // them: most values that are not strings are one of those.
            case JsonType::Boolean:
                return value.AsBool() ? "true" : "false";
            case JsonType::Integer: {
                const auto end =
                    std::to_chars(number_.data(), number_.data() + number_.size(), value.AsInt())
                        .ptr;
                return {number_.data(), static_cast<std::size_t>(end - number_.data())};
            }
            default:
                break;
        }
        spelled_.clear();
        value.SerializeTo(spelled_, false);
        // Only arrays and objects can spell anything but ASCII.
        return value.IsArray() || value.IsObject() ? Sjis(spelled_) : spelled_;
    }

private:
    // Plain ASCII (no escape byte that would start JIS) is the same in every
    // coding the reader knows, and most values are plain ASCII: they are
    // taken as they are.
    std::string_view Sjis(std::string_view text) {
        if (IsPlain(text)) {
            return text;
        }
        ConvertToSjisInto(text, converted_);
        return converted_;
    }

    // Eight bytes at a time: whether any has its top bit set or is ESC.
    static bool IsPlain(std::string_view text) {
        constexpr std::uint64_t kOnes = 0x0101010101010101ull;
        constexpr std::uint64_t kTops = 0x8080808080808080ull;
        constexpr std::uint64_t kEscapes = 0x1B * kOnes;
        const char* at = text.data();
        std::size_t left = text.size();
        for (; left >= 8; at += 8, left -= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, at, sizeof word);
            const std::uint64_t escapes = word ^ kEscapes;  // a zero byte where ESC was
            if (((word | ((escapes - kOnes) & ~escapes)) & kTops) != 0) {
                return false;
            }
        }
        for (; left > 0; ++at, --left) {
            if (static_cast<unsigned char>(*at) >= 0x80 || *at == '\x1B') {
                return false;
            }
        }
        return true;
    }

    std::array<char, 16> number_{};
    std::string spelled_;
    std::string converted_;
};

// Images of PROGRESS and SLIDEBAR are called FileBase and FileActive, so the
// button-style names are accepted for them.
std::string_view SecondName(std::string_view key) {
    if (key == prop::kFileOff) {
        return "FileBase";
    }
    if (key == prop::kFileOn) {
        return "FileActive";
    }
    return key;
}

// For each key of the object table, the row of the first item of a schema
// list with that name and the row of the first with its second name (-1:
// none). Worked out once per list and thread: tens of thousands of objects
// and commands share a few dozen lists, and looking each value's item up by
// name in them took a tenth of a load.
struct KeyRows {
    std::vector<std::pair<int, int>> rows;
    // The keys with neither row, a bit per position: a value for one of them
    // adds an item to the list.
    std::uint64_t unlisted = 0;
};

int RowOf(const CItemList& list, std::string_view name) {
    for (std::size_t i = 0; i < list.GetItemCount(); ++i) {
        if (list.GetItemData(i).GetName() == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const KeyRows& ObjectKeyRows(const CItemList& list) {
    // A few direct-mapped slots in front of the map: the commands of an
    // element mostly take turns between a handful of lists. The map keeps its
    // values in place.
    struct Recent {
        const CItemList* list = nullptr;
        const KeyRows* rows = nullptr;
    };
    thread_local std::array<Recent, 64> recent;
    Recent& slot = recent[(reinterpret_cast<std::uintptr_t>(&list) / sizeof(CItemList)) % 64];
    if (slot.list == &list) {
        return *slot.rows;
    }
    thread_local std::unordered_map<const CItemList*, KeyRows> cache;
    const auto [it, inserted] = cache.try_emplace(&list);
    if (inserted) {
        for (std::size_t i = 0; i < kObjectKeys.size(); ++i) {
            const std::string_view key = kObjectKeys[i];
            const auto& row =
                it->second.rows.emplace_back(RowOf(list, key), RowOf(list, SecondName(key)));
            if (row.first < 0 && row.second < 0) {
                it->second.unlisted |= std::uint64_t{1} << i;
            }
        }
    }
    slot = {&list, &it->second};
    return it->second;
}

// The group keys (a bit per position in kGroupKeys) that a group's schema
// list has no item for; worked out once per list and thread.
std::uint32_t UnlistedGroupKeys(const CItemList& list) {
    static_assert(kGroupKeys.size() <= 32);
    thread_local std::unordered_map<const CItemList*, std::uint32_t> cache;
    const auto [it, inserted] = cache.try_emplace(&list, 0);
    if (inserted) {
        for (std::size_t i = 0; i < kGroupKeys.size(); ++i) {
            if (RowOf(list, kGroupKeys[i]) < 0) {
                it->second |= std::uint32_t{1} << i;
            }
        }
    }
    return it->second;
}

CObjectData* ReadElement(ElementStore& store, CObjectDataList* parent, GroupLayout parentLayout,
                         JsonParser& parser);

// How many commands the events of an element hold at the most: its command
// list takes them without growing.
std::size_t CountEventCommands(const MemberIndex& members) {
    std::size_t count = 0;
    for (const int position : kEventPositions) {
        if (const JsonValue* value = members.Of(position)) {
            count += value->IsArray() ? value->Elements().size() : value->IsObject() ? 1 : 0;
        }
    }
    return count;
}

void ReadEvents(ElementStore& store, ZeClass& parent, JsonParser& parser,
                const MemberIndex& members) {
    const JsonValue* self = parser.GetCurrent();
    for (const int position : kEventPositions) {
        const JsonValue* value = members.Of(position);
        if (value == nullptr) {
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

// Reads the group at the parser's current value, whose members are given.
CObjectData* ReadGroup(ElementStore& store, CObjectDataList* parent, JsonParser& parser,
                       const MemberIndex& members) {
    std::string layout;
    members.Spell(kLayoutKey, layout);
    const CItemList& schema = GroupItems(LayoutCode(layout));
    // Room in the group's block for its schema's rows and an item for each
    // value the schema has no row for.
    std::uint32_t present = 0;
    for (std::size_t i = 0; i < kGroupKeyPositions.size(); ++i) {
        if (members.Of(kGroupKeyPositions[i]) != nullptr) {
            present |= std::uint32_t{1} << i;
        }
    }
    const auto added = static_cast<std::size_t>(std::popcount(present & UnlistedGroupKeys(schema)));
    auto* group = store.CreateWithRoom<CObjectDataList>(schema.GetItemCount() + added, parent);
    group->Items().AppendItems(schema);
    group->SetItem(prop::kLayout, layout);
    // One for the loop; it is done before the children are read.
    thread_local ValueText text;
    for (const int position : kGroupKeyPositions) {
        if (const JsonValue* value = members.Of(position)) {
            const std::string_view key = kAllKeys[static_cast<std::size_t>(position)];
            const std::string_view valueText = text.Of(*value);
            if (!group->SetItem(key, valueText)) {
                AddTextItem(*group, key, valueText);
            }
        }
    }
    group->GetCommands().reserve(CountEventCommands(members));
    ReadEvents(store, *group, parser, members);

    const GroupLayout layoutCode = LayoutCode(group->Items().GetItemView(prop::kLayout));
    const JsonValue* self = parser.GetCurrent();
    const JsonValue* objects = members.Of(kObjectsKey);
    if (objects != nullptr && objects->IsArray()) {
        group->GetChildren().reserve(objects->Elements().size());
        JsonArrayWalk walk(*objects);
        while (parser.NextElement(walk)) {
            ReadElement(store, group, layoutCode, parser);
        }
    }
    parser.SetCurrent(self);
    return group;
}

void ReadHeaderColumns(ElementStore& store, CObjectData& object, JsonParser& parser,
                       const JsonValue& header) {
    const JsonValue* self = parser.GetCurrent();
    JsonArrayWalk walk(header);
    int count = 0;
    while (parser.NextElement(walk)) {
        ZeClass* column = CreateHeaderColumn(store);
        const MemberIndex members(parser.GetCurrent());
        std::string value;
        for (const int position : kHeaderColumnPositions) {
            value.clear();
            members.Spell(position, value);
            column->SetItem(kAllKeys[static_cast<std::size_t>(position)], value);
        }
        object.AddHeader(column);
        ++count;
    }
    parser.SetCurrent(self);
    object.SetItem(prop::kColumns, std::to_string(count));
}

// Reads the object at the parser's current value, whose members are given.
CObjectData* ReadObject(ElementStore& store, CObjectDataList* parent, GroupLayout parentLayout,
                        JsonParser& parser, const MemberIndex& members) {
    std::string type;
    members.Spell(kTypeKey, type);
    const ObjectType typeIndex = ObjectTypeIndex(type);
    const CItemList& schema = ObjectItems(typeIndex, parentLayout);
    // The schema's rows come first in the list, so the first item with a
    // name is the schema's when it has one. No item added for a key the
    // schema lacks can have another member's name or second name (the keys
    // are unique, and a second name's key comes later in the table); those
    // keys are looked up by name all the same.
    const KeyRows& keyRows = ObjectKeyRows(schema);
    const auto& rows = keyRows.rows;
    // Room in the object's block for the schema's rows and the items the
    // keys without a row add.
    const auto added =
        static_cast<std::size_t>(std::popcount(members.ObjectKeyMarks() & keyRows.unlisted));
    auto* object = store.CreateWithRoom<CObjectData>(schema.GetItemCount() + added, parent);
    object->Items().AppendItems(schema);
    object->SetItem(prop::kType, type);
    // One for the loop; it is done before any command is read.
    thread_local ValueText text;
    members.ForEachObjectKey([&](std::string_view key, int position, const JsonValue& value) {
        const std::string_view valueText = text.Of(value);
        const auto [row, secondRow] = rows[static_cast<std::size_t>(position)];
        if (row >= 0 || secondRow >= 0) {
            const int at = row >= 0 ? row : secondRow;
            store.SetValueInStore(object->Items().GetItemData(static_cast<std::size_t>(at)),
                                  valueText);
        } else if (!object->SetItem(key, valueText) &&
                   !object->SetItem(SecondName(key), valueText)) {
            AddTextItem(*object, key, valueText);
        }
    });
    object->GetCommands().reserve(CountEventCommands(members));
    ReadEvents(store, *object, parser, members);
    if (typeIndex == ObjectType::kGrid) {
        const JsonValue* header = members.Of(kHeaderKey);
        if (header != nullptr && header->IsArray() && !header->Elements().empty()) {
            ReadHeaderColumns(store, *object, parser, *header);
        }
    }
    return object;
}

CObjectData* ReadElement(ElementStore& store, CObjectDataList* parent, GroupLayout parentLayout,
                         JsonParser& parser) {
    const JsonValue* start = parser.GetCurrent();
    const MemberIndex members(start);
    CObjectData* element = nullptr;
    const JsonValue* objects = members.Of(kObjectsKey);
    const JsonValue* inner = members.Of(kObjectKey);
    if (objects != nullptr && objects->IsArray()) {
        element = ReadGroup(store, parent, parser, members);
    } else if (inner != nullptr && inner->IsObject()) {
        parser.SetCurrent(inner);
        element = ReadGroup(store, parent, parser, MemberIndex(inner));
    } else {
        element = ReadObject(store, parent, parentLayout, parser, members);
    }
    parser.SetCurrent(start);
    if (parent != nullptr) {
        parent->AddObject(element);
    }
    return element;
}

}  // namespace

CObjectData* ReadElement(ElementStore& store, CObjectDataList* parent, JsonParser& parser) {
    const GroupLayout parentLayout = parent == nullptr
                                         ? GroupLayout::kLinear
                                         : LayoutCode(parent->Items().GetItemView(prop::kLayout));
    return ReadElement(store, parent, parentLayout, parser);
}

void ReadCommandElement(ElementStore& store, ZeClass& parent, JsonParser& parser) {
    const MemberIndex members(parser.GetCurrent());
    std::string command;
    std::string event;
    members.Spell(kCommandKey, command);
    members.Spell(kEventKey, event);
    if (command.empty()) {
        return;
    }
    // On the device CONDITION and UPDATE are both NOTIFY, GETFILE and HELLO
    // both SENDCOMMAND; the schema is keyed by the name the user picked.
    if (command == "NOTIFY") {
        std::string made;
        members.Spell(kMakeCommandKey, made);
        command = made.empty() ? "CONDITION" : made;
    } else if (command == "SENDCOMMAND") {
        std::string sent;
        members.Spell(kSendCommandKey, sent);
        command = sent;
    }
    const CItemList* schema = CommandItems(command);
    ZeClass* element = CreateCommand(store, schema, event);
    // Taken as they are. An absent key keeps the schema's value: a GETFILE or
    // HELLO command written under its own name has no SendCommand, and
    // clearing the fixed one would lose the command on the next load.
    std::string value;
    for (const int position : kRawCommandKeys) {
        if (members.Spell(position, value)) {
            element->SetItem(kAllKeys[static_cast<std::size_t>(position)], value);
        }
    }
    // The command's items are its Event, then its schema's.
    if (schema != nullptr) {
        const auto& rows = ObjectKeyRows(*schema).rows;
        thread_local ValueText text;
        members.ForEachObjectKey([&](std::string_view, int position, const JsonValue& member) {
            if (const int row = rows[static_cast<std::size_t>(position)].first; row >= 0) {
                store.SetValueInStore(
                    element->Items().GetItemData(static_cast<std::size_t>(row) + 1),
                    text.Of(member));
            }
        });
    }
    parent.AddChild(element);
}

void ReadEventCommands(ElementStore& store, ZeClass& parent, JsonParser& parser) {
    ReadEvents(store, parent, parser, MemberIndex(parser.GetCurrent()));
}

bool IsEventKey(std::string_view key) {
    return std::find(kEventNames.begin(), kEventNames.end(), key) != kEventNames.end();
}

void ReadProperties(ZeClass& element, JsonParser& parser, bool (*excluded)(std::string_view key)) {
    std::vector<std::string> keys;
    parser.GetKeys(keys);
    for (const std::string& key : keys) {
        if (excluded(key)) {
            continue;
        }
        std::string value;
        if (!parser.GetString(key, value)) {
            continue;
        }
        value = ConvertToSjis(value);
        if (!element.SetItem(key, value)) {
            element.Items().AddItem(CItemData(ItemKind::kPlainText, key, std::move(value)));
        }
    }
}

void ReadDialogMessage(CZeDialogData& dialog, JsonParser& parser) {
    ReadProperties(dialog, parser, [](std::string_view key) {
        return key == prop::kName || key == "Commands" || key == prop::kCommand ||
               key == "Object" || IsEventKey(key);
    });
    ReadEventCommands(dialog.GetElementStore(), dialog, parser);

    const JsonValue* message = parser.GetCurrent();
    CObjectData* root = ReadElement(dialog.GetElementStore(), nullptr, parser);
    parser.SetCurrent(message);
    if (root != nullptr && root->IsGroup()) {
        dialog.SetRootGroup(static_cast<CObjectDataList*>(root));
    } else {
        // A message without "Object" reads as a plain object, which cannot
        // hold the dialog's content; the dialog keeps no root group.
        dialog.GetElementStore().Destroy(root);
    }
    dialog.StartHistory();
}

}  // namespace ze
