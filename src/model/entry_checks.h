#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/item_data.h"

#include "model/item_value_check.h"

namespace ze {

// What the user may enter as the value of the property called name (of
// kind kind). Besides being resource text that reads back (CheckItemValue),
// a value has to have the form its property is read in:
// - lengths (Width, Height, TSize, PosX, PosY, ColumnHeight): a text the
//   length scan reads whole (ScanLength), such as 12, 12px, 8pt, PARENT;
// - offsets (Padding, Margin): four integers, left, top, right and bottom,
//   separated by commas ("0,0,0,0");
// - colours (BGColor, TColor): a name of the colour list or "#" with six hex
//   digits;
// - numbers (kind 11): a decimal integer in the int32 range, or a "$"
//   placeholder, which the writer writes as a string.
// - names (Name, of the project, a dialog, an object or a group): no
//   space, tab or ideographic space at either end.
// The refusal's message says which forms are expected. An empty value (not
// set) is always accepted. Only entries are checked: values a file brings
// load and save as they are.
ValueRefusal CheckEntry(std::string_view name, ItemKind kind, std::string_view value);

// The form the value of the property called name (of kind kind) must have,
// as CheckEntry describes them; kNone when any resource text will do.
enum class EntryForm { kNone, kLength, kOffset, kColour, kNumber };
EntryForm FormOf(std::string_view name, ItemKind kind);
// Only the form part of CheckEntry: whether value has its property's form.
ValueRefusal CheckEntryForm(std::string_view name, ItemKind kind, std::string_view value);

// The refusal of an object or group Name (Shift_JIS) that another element of
// the same dialog already has; the message names it.
ValueRefusal RefuseTakenName(std::string_view name);

// message (Shift_JIS), a refusal of the value entered for the property
// called property, headed by that name: the user sees which entry to
// correct. An empty name leaves message as it is.
std::string PropertyRefusalMessage(std::string_view property, std::string_view message);

}  // namespace ze
