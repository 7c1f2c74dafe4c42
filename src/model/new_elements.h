#pragma once

#include <string_view>

#include "model/schema.h"

namespace ze {

class CObjectData;
class CZeDialogData;
class CZeDialogDataList;

// What an element made by the user (not read from a file or pasted) starts
// with beyond its type's properties: a Width and Height that show it at once
// at a size that suits it, and, for a new dialog, a root group to hold its
// content.

struct NewElementSize {
    std::string_view width;
    std::string_view height;
};

// The sizes of a new object of type or a new group of layout; PARENT ×
// CONTENT for kUnset or a number the schema does not know.
NewElementSize NewObjectSize(ObjectType type);
NewElementSize NewGroupSize(GroupLayout layout);
// The sizes of a group that becomes a dialog's root: the whole dialog.
NewElementSize NewRootGroupSize();

// Sets element's Width and Height to those of its Type (an object) or its
// Layout (a group), or to the root group's when asRoot.
void GiveNewElementSize(CObjectData& element, bool asRoot = false);

// A new dialog named name (made unique), appended to dialogs, with a
// vertical LINEAR root group that fills it; the root group is part of the
// dialog's first history step, so no undo takes it away.
CZeDialogData* CreateNewDialog(CZeDialogDataList& dialogs, std::string_view name);

}  // namespace ze
