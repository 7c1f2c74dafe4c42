#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/item_data.h"
#include "model/item_list.h"

// Which properties each kind of element has: the object types and group
// layouts, their items, kinds, choice lists and help texts. Every text here
// (values, choices, help texts) is Shift_JIS, like everything in the model,
// and lives as long as the program.
namespace ze {

// Object types; the number is the type's position in the object type names.
enum class ObjectType : int {
    kUnset = -1,
    kText = 0,
    kEdit = 1,
    kButton = 2,
    kCheckbox = 3,
    kToggle = 4,
    kRadioButton = 5,
    kPicture = 6,
    kCanvas = 7,
    kGrid = 8,
    kPulldown = 9,
    kProgress = 10,
    kSlidebar = 11,
    kMeter = 12,
    kGraph = 13,
    kVList = 14,
    kHList = 15,
    kCount = 16,
};

// Group layouts; the number is the layout's position in the group type names.
enum class GroupLayout : int {
    kUnset = -1,
    kFrame = 0,
    kLinear = 1,
    kRadio = 2,
    kScroll = 3,
    kHScroll = 4,
    kPage = 5,
    kTable = 6,
    kTableRow = 7,
    kRelative = 8,
    kCount = 9,
};

// The position in the names (-1 for kUnset), and the type or layout at a
// position: tables and loops over all types go by position.
constexpr int IndexOf(ObjectType type) {
    return static_cast<int>(type);
}
constexpr int IndexOf(GroupLayout layout) {
    return static_cast<int>(layout);
}
constexpr ObjectType ObjectTypeAt(int index) {
    return static_cast<ObjectType>(index);
}
constexpr GroupLayout GroupLayoutAt(int index) {
    return static_cast<GroupLayout>(index);
}

// The program-wide choice lists, in the order the property list offers them.
namespace choices {
const ChoiceList& Colours();
const ChoiceList& Sizes();
const ChoiceList& Offsets();
const ChoiceList& ObjectTypeNames();
const ChoiceList& GroupTypeNames();
const ChoiceList& Alignments();
const ChoiceList& Attributes();
const ChoiceList& Columns();
const ChoiceList& CommandNames();
const ChoiceList& ScaleTypes();
const ChoiceList& FileSources();
const ChoiceList& TemplateTypes();
const ChoiceList& MeterPatterns();
const ChoiceList& DeleteTypes();
}  // namespace choices

// Label of a new element in the insert lists ("新規Object", "新規Group").
const std::string& NewObjectLabel();
const std::string& NewGroupLabel();

// Exact, case-sensitive lookups; kUnset when the text is not a type or layout.
ObjectType ObjectTypeIndex(std::string_view type);
GroupLayout LayoutCode(std::string_view layout);
// Case-insensitive lookups for the insert-by-name operation; kUnset when absent.
ObjectType ObjectTypeIndexIgnoringCase(std::string_view type);
GroupLayout LayoutCodeIgnoringCase(std::string_view layout);

// "TEXT", "LINEAR"...; empty for kUnset or a number out of range.
std::string_view ObjectTypeName(ObjectType type);
std::string_view LayoutName(GroupLayout layout);
// The short code of the preview label ("TXT", "BTN"...; CANVAS keeps its
// type text); empty for kUnset or a number out of range.
std::string_view ObjectShortCode(ObjectType type);
// The property whose text the preview label shows ("Text", "TextOn",
// "File"); empty for types that show none.
std::string_view ObjectLabelProperty(ObjectType type);

// Schema builders: append the element's items, in order, to items.
// parentLayout is the layout of the object's parent group
// (GroupLayout::kLinear for an object without parent).
void AddObjectItems(CItemList& items, ObjectType type, GroupLayout parentLayout);
// The items AddObjectItems appends, the same list for the same arguments for
// the program's life.
const CItemList& ObjectItems(ObjectType type, GroupLayout parentLayout);
void AddGroupItems(CItemList& items, GroupLayout layout);
// The items AddGroupItems appends, the same list for the same layout for the
// program's life.
const CItemList& GroupItems(GroupLayout layout);
void AddHeaderColumnItems(CItemList& items);
// How many items AddHeaderColumnItems appends.
std::size_t HeaderColumnItemCount();
void AddCommandItems(CItemList& items, std::string_view command, std::string_view event);
// The same with the command's list looked up already (CommandItems).
void AddCommandItems(CItemList& items, const CItemList* commandItems, std::string_view event);
// The items AddCommandItems appends after the Event item, the same list for
// the same command for the program's life; null for an unknown command.
const CItemList* CommandItems(std::string_view command);
void AddProjectItems(CItemList& items);
// name becomes the value of the dialog's Name item as it is.
void AddDialogItems(CItemList& items, std::string_view name);

}  // namespace ze
