#pragma once

#include <string_view>

#include "model/schema.h"

namespace ze {

class CObjectData;
class CZeDialogData;
class CZeDialogDataList;

// What an element made by the user (not read from a file or pasted) starts
// with beyond its type's properties: a Width and Height that show it at once
// at a size that suits it and its parent, and, for a new dialog, a root
// group to hold its content.

struct NewElementSize {
    std::string_view width;
    std::string_view height;
    // Empty, or "1" for an element that shares the room of a row or column
    // with its weighted siblings.
    std::string_view weight;

    friend bool operator==(const NewElementSize&, const NewElementSize&) = default;
};

// The sizes of a new object of type or a new group of layout; PARENT ×
// CONTENT for kUnset or a number the schema does not know.
NewElementSize NewObjectSize(ObjectType type);
NewElementSize NewGroupSize(GroupLayout layout);
// The sizes of a group that becomes a dialog's root: the whole dialog.
NewElementSize NewRootGroupSize();

// size as it suits a parent group of parentLayout lining its children up
// vertically or not. In a row or column (LINEAR, RADIO) a PARENT length
// along the line takes the whole line, and every later sibling lands off
// the page: that length becomes CONTENT with Weight 1, so that siblings
// share the line as the buttons of a button row do. Other parents
// (stacked, scrolled, paged, tabled) keep size.
NewElementSize FitNewElementSize(NewElementSize size, GroupLayout parentLayout,
                                 bool parentVertical);

// Sets element's Width and Height (and Weight, where FitNewElementSize
// gives one) to those of its Type (an object) or its Layout (a group)
// fitted to its parent, or to the root group's when asRoot.
void GiveNewElementSize(CObjectData& element, bool asRoot = false);

// A new dialog named name (made unique), appended to dialogs, with a
// vertical LINEAR root group that fills it; the root group is part of the
// dialog's first history step, so no undo takes it away.
CZeDialogData* CreateNewDialog(CZeDialogDataList& dialogs, std::string_view name);

}  // namespace ze
