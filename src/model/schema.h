#pragma once

#include <cstdint>
#include <string_view>

#include "model/item_data.h"
#include "model/item_list.h"

// Which properties each kind of element has: the object types and group
// layouts, their items, kinds, choice lists and help texts. Every text here
// (values, choices, help texts) is Shift_JIS, like everything in the model,
// and lives as long as the program.
namespace ze {

// Object type indexes (positions in the object type names).
namespace object_type {
inline constexpr int kUnset = -1;
inline constexpr int kText = 0;
inline constexpr int kEdit = 1;
inline constexpr int kButton = 2;
inline constexpr int kCheckbox = 3;
inline constexpr int kToggle = 4;
inline constexpr int kRadioButton = 5;
inline constexpr int kPicture = 6;
inline constexpr int kCanvas = 7;
inline constexpr int kGrid = 8;
inline constexpr int kPulldown = 9;
inline constexpr int kProgress = 10;
inline constexpr int kSlidebar = 11;
inline constexpr int kMeter = 12;
inline constexpr int kGraph = 13;
inline constexpr int kVList = 14;
inline constexpr int kHList = 15;
inline constexpr int kCount = 16;
}  // namespace object_type

// Group layout codes (positions in the group type names).
namespace layout_code {
inline constexpr int kUnset = -1;
inline constexpr int kFrame = 0;
inline constexpr int kLinear = 1;
inline constexpr int kRadio = 2;
inline constexpr int kScroll = 3;
inline constexpr int kHScroll = 4;
inline constexpr int kPage = 5;
inline constexpr int kTable = 6;
inline constexpr int kTableRow = 7;
inline constexpr int kRelative = 8;
inline constexpr int kCount = 9;
}  // namespace layout_code

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

// Exact, case-sensitive lookups; -1 when the text is not a type or layout.
int ObjectTypeIndex(std::string_view type);
int LayoutCode(std::string_view layout);
// Case-insensitive lookups for the insert-by-name operation; -1 when absent.
int ObjectTypeIndexIgnoringCase(std::string_view type);
int LayoutCodeIgnoringCase(std::string_view layout);

// "TEXT", "LINEAR"...; empty for an index out of range.
std::string_view ObjectTypeName(int typeIndex);
std::string_view LayoutName(int layoutCode);
// The short code of the preview label ("TXT", "BTN"...; CANVAS keeps its
// type text); empty for an index out of range.
std::string_view ObjectShortCode(int typeIndex);
// The property whose text the preview label shows ("Text", "TextOn",
// "File"); empty for types that show none.
std::string_view ObjectLabelProperty(int typeIndex);

// Schema builders: append the element's items, in order, to items.
// parentLayoutCode is the layout code of the object's parent group
// (layout_code::kLinear for an object without parent).
void AddObjectItems(CItemList& items, int typeIndex, int parentLayoutCode);
// The items AddObjectItems appends, the same list for the same arguments for
// the program's life.
const CItemList& ObjectItems(int typeIndex, int parentLayoutCode);
void AddGroupItems(CItemList& items, int layoutCode);
void AddHeaderColumnItems(CItemList& items);
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
