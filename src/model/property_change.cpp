#include "model/property_change.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/element_store.h"
#include "model/event_text.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "model/schema.h"

namespace ze {

namespace {

const std::string& CancelText() {
    static const std::string text = Utf8ToCp932("キャンセル");
    return text;
}

const std::string& AddHeaderColumnText() {
    static const std::string text = Utf8ToCp932("ヘッダ項目追加");
    return text;
}

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Byte length of the Shift_JIS character at i.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
        IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
        return 2;
    }
    return 1;
}

// The byte offset of the last one-byte character c that is not the text's
// first character; npos when there is none. Brackets are searched by
// character because 0x5B and 0x5D are also second bytes ("ー" is 0x81 0x5B).
std::size_t LastAfterFirstCharacter(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    bool first = true;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLength(text, i);
        if (!first && length == 1 && text[i] == c) {
            found = i;
        }
        first = false;
        i += length;
    }
    return found;
}

// The old items of a re-typed element, in their old order, take the places
// of the fresh items of the same name; each fresh item is taken at most once,
// so an old list that holds a name twice keeps both values.
void MergeOldItems(CItemList& items, CItemList fresh) {
    const CItemList old = std::move(items);
    std::vector<bool> taken(fresh.GetItemCount(), false);
    std::vector<CItemData> orphans;
    for (std::size_t i = 0; i < old.GetItemCount(); ++i) {
        const CItemData& item = old.GetItemData(i);
        bool placed = false;
        for (std::size_t j = 0; j < fresh.GetItemCount() && !placed; ++j) {
            if (!taken[j] && fresh.GetItemData(j).GetName() == item.GetName()) {
                fresh.GetItemData(j) = item;
                taken[j] = true;
                placed = true;
            }
        }
        if (!placed && !item.GetValue().empty()) {
            orphans.emplace_back(InternItemInfo(item.GetKind(), "!" + item.GetName(),
                                                item.GetChoices(), item.GetDescription()),
                                 item.GetValue());
        }
    }
    for (CItemData& orphan : orphans) {
        fresh.AddItem(std::move(orphan));
    }
    items = std::move(fresh);
}

GroupLayout ParentLayoutCode(const CObjectData& object) {
    const CObjectDataList* parent = object.GetParent();
    return parent == nullptr ? GroupLayout::kLinear : LayoutCode(parent->GetItem(prop::kLayout));
}

bool IsEventName(std::string_view name) {
    return std::find(kEventNames.begin(), kEventNames.end(), name) != kEventNames.end();
}

bool IsCommandName(std::string_view name) {
    const ChoiceList& names = choices::CommandNames();
    return name != CancelText() && std::find(names.begin(), names.end(), name) != names.end();
}

// Whether the element can hold commands (a dialog, object or group).
bool HoldsCommands(const ZeClass& element) {
    const ElementKind kind = element.GetKind();
    return kind == ElementKind::kDialog || kind == ElementKind::kObject ||
           kind == ElementKind::kGroup;
}

ElementStore* CommandStore(ZeClass& element) {
    if (auto* dialog = dynamic_cast<CZeDialogData*>(&element)) {
        return &dialog->GetElementStore();
    }
    return element.GetStore();
}

// A command picked under an event property becomes a command element; the
// property itself goes back to empty so the same command can be picked
// again. A name that is no command (typed into the drop-down's edit line)
// would make a command without a Command item, which no save keeps, so it
// makes none.
ZeClass* TakeEventCommand(ZeClass& element, std::string_view event) {
    const std::string command = element.GetItem(event);
    element.SetItem(event, "");
    if (!IsCommandName(command)) {
        return nullptr;
    }
    ElementStore* store = CommandStore(element);
    if (store == nullptr) {
        return nullptr;
    }
    ZeClass* created = CreateCommand(*store, command, event);
    element.AddChild(created);
    return created;
}

ZeClass* ChangeColumns(CObjectData& object) {
    ZeClass* added = nullptr;
    if (object.GetItem(prop::kColumns) == AddHeaderColumnText() && object.GetStore() != nullptr) {
        added = CreateHeaderColumn(*object.GetStore());
        object.AddHeader(added);
    }
    object.SetItem(prop::kColumns, std::to_string(object.GetHeaders().size()));
    return added;
}

// Images and the centre-position property that goes with each.
struct ImageProperty {
    std::string_view name;
    std::string_view centre;
};

constexpr std::array<ImageProperty, 8> kImageProperties = {{
    {prop::kFile, prop::kCenterPosBase},
    {prop::kFileOn, prop::kCenterPosCursor},
    {prop::kFileOff, prop::kCenterPosBase},
    {prop::kFileThumb, prop::kCenterPosTop},
    {prop::kFileBase, prop::kCenterPosBase},
    {prop::kFileActive, prop::kCenterPosCursor},
    {prop::kFileCursor, prop::kCenterPosCursor},
    {prop::kFileTop, prop::kCenterPosTop},
}};

const ImageProperty* FindImageProperty(std::string_view name) {
    for (const ImageProperty& property : kImageProperties) {
        if (property.name == name) {
            return &property;
        }
    }
    return nullptr;
}

constexpr int kBuiltInImage = 1;
constexpr int kUserImage = 2;

}  // namespace

std::string UniqueDialogName(const CZeDialogDataList& dialogs, const CZeDialogData& renamed,
                             std::string_view name) {
    const std::string base = name.empty() ? std::string("Dialog") : std::string(name);
    std::string candidate = base;
    for (int number = 2;; ++number) {
        const CZeDialogData* found = dialogs.FindDialog(candidate);
        if (found == nullptr || found == &renamed) {
            return candidate;
        }
        candidate = base + std::to_string(number);
    }
}

void RetypeObject(CObjectData& object, ObjectType type) {
    const std::string_view typeName = ObjectTypeName(type);
    if (typeName.empty()) {
        return;
    }
    CItemList fresh;
    AddObjectItems(fresh, type, ParentLayoutCode(object));
    MergeOldItems(object.Items(), std::move(fresh));
    // The old Type item took the place of the new one; it has to name the
    // type the items were built for, whatever it held before.
    object.SetItem(prop::kType, typeName);
}

void RelayoutGroup(CObjectDataList& group, GroupLayout layout) {
    const std::string_view layoutName = LayoutName(layout);
    if (layoutName.empty()) {
        return;
    }
    CItemList fresh;
    AddGroupItems(fresh, layout);
    MergeOldItems(group.Items(), std::move(fresh));
    group.SetItem(prop::kLayout, layoutName);
}

PropertyChangeResult ApplyPropertyChange(CZeResourceData& project, ZeClass& element,
                                         std::string_view name) {
    PropertyChangeResult result;
    auto* object = dynamic_cast<CObjectData*>(&element);
    auto* group = dynamic_cast<CObjectDataList*>(&element);
    if (name == prop::kName) {
        if (auto* dialog = dynamic_cast<CZeDialogData*>(&element)) {
            dialog->SetItem(prop::kName, UniqueDialogName(project.GetDialogs(), *dialog,
                                                          dialog->GetItem(prop::kName)));
        }
        result.relabel = true;
    } else if (name == prop::kType && object != nullptr && group == nullptr) {
        const ObjectType type = ObjectTypeIndex(object->GetItem(prop::kType));
        if (type != ObjectType::kUnset) {
            RetypeObject(*object, type);
            result.itemsReplaced = true;
        }
        result.relabel = true;
    } else if (name == prop::kLayout && group != nullptr) {
        const GroupLayout layout = LayoutCode(group->GetItem(prop::kLayout));
        if (layout != GroupLayout::kUnset) {
            RelayoutGroup(*group, layout);
            result.itemsReplaced = true;
        }
        result.relabel = true;
    } else if (name == prop::kColumns && object != nullptr && group == nullptr) {
        result.added = ChangeColumns(*object);
    } else if (IsEventName(name) && HoldsCommands(element)) {
        result.added = TakeEventCommand(element, name);
    } else if (name == prop::kText || name == prop::kTextOn) {
        result.relabel = true;
    }
    return result;
}

bool TakesImage(std::string_view propertyName) {
    return FindImageProperty(propertyName) != nullptr;
}

std::string CentrePositionFromImageName(std::string_view imageName) {
    const std::size_t close = LastAfterFirstCharacter(imageName, ']');
    if (close == std::string_view::npos) {
        return {};
    }
    const std::string_view before = imageName.substr(0, close);
    const std::size_t open = LastAfterFirstCharacter(before, '[');
    if (open == std::string_view::npos) {
        return {};
    }
    std::string position(before.substr(open + 1));
    std::replace(position.begin(), position.end(), '-', ',');
    return position;
}

bool AssignImage(ZeClass& element, std::size_t row, int entryKind, std::string_view imageName) {
    CItemList& items = element.Items();
    if (row >= items.GetItemCount()) {
        return false;
    }
    CItemData& item = items.GetItemData(row);
    const ImageProperty* property = FindImageProperty(item.GetName());
    if (property == nullptr) {
        return false;
    }
    item.SetValue(imageName);

    const std::string source = element.GetItem(prop::kFileSource);
    if (entryKind == kBuiltInImage && !source.empty() && source != "BUILTIN") {
        element.SetItem(prop::kFileSource, "BUILTIN");
    } else if (entryKind == kUserImage && source != "STATION") {
        element.SetItem(prop::kFileSource, "STATION");
    }

    // Only elements whose schema has the centre item take it (METER, the
    // UPDATE command); others keep their items as the device knows them.
    if (const std::string centre = CentrePositionFromImageName(imageName); !centre.empty()) {
        element.SetItem(property->centre, centre);
    }
    return true;
}

}  // namespace ze
