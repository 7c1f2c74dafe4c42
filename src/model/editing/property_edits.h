#pragma once

#include <cstddef>
#include <string_view>

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

}  // namespace ze
