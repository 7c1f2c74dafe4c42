#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/editing/edit_result.h"

namespace ze {

class CZeDialogData;
class CZeResourceData;
class ZeClass;

// The user's changes to the items of an element (dialog null: found from
// the element; the project root is in no dialog and no history).

// Stores value (Shift_JIS) as the value of element's item at row and
// applies what follows from it (unique dialog names, a new type or layout,
// "ヘッダ項目追加", event commands). A value equal to the one stored changes
// nothing and records nothing, whatever it holds; a new value that
// CheckEntry refuses, or an object or group Name another element of the
// dialog has, is refused with a warning saying what is expected. A header
// column or command the change adds is to be selected.
EditResult CommitProperty(CZeResourceData& project, CZeDialogData* dialog, ZeClass* element,
                          std::size_t row, std::string_view value);

// The image called imageName (Shift_JIS) from the pane's built-in or user
// list becomes the value of element's item at row, with FileSource and the
// centre position following; rows that take no image change nothing.
EditResult AssignImage(CZeResourceData& project, CZeDialogData* dialog, ZeClass* element,
                       std::size_t row, PaneEntryKind source, std::string_view imageName);

// The row of element's item called name.
std::optional<std::size_t> RowNamed(const ZeClass& element, std::string_view name);

// A property every one of several elements has.
struct SharedProperty {
    std::string name;
    // Its row in the current element.
    std::size_t row = 0;
    // The distinct values (Shift_JIS), the current element's first; more
    // than one makes the value mixed.
    std::vector<std::string> values;

    bool IsMixed() const { return values.size() > 1; }
};

// The properties every element of elements has (matched by name), in
// current's order; current is one of elements.
std::vector<SharedProperty> SharedProperties(const std::vector<ZeClass*>& elements,
                                             const ZeClass& current);

// The value (Shift_JIS) of the property called name becomes value on every
// picked element of the project's selection (on the current dialog when
// none is picked), as one step. One picked element is CommitProperty's
// case. Of several, those that have the property and another value change;
// the value is checked once against the property (not once per element) and,
// when refused, nothing changes and the warning says why, for all alike. A
// Name is always refused for several, the warning naming the element that
// would repeat it; the element left alone of several to change has the whole
// check and a refusal names it.
EditResult CommitPropertyToSelection(CZeResourceData& project, std::string_view name,
                                     std::string_view value);

// An image of the pane dropped on the property called name, for every
// picked element that has it, as one step.
EditResult AssignImageToSelection(CZeResourceData& project, std::string_view name,
                                  PaneEntryKind source, std::string_view imageName);

}  // namespace ze
