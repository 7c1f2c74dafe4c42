#pragma once

#include <string_view>
#include <vector>

#include "model/editing/edit_result.h"

namespace ze {

class CObjectDataList;
class CZeResourceData;
class ZeClass;

bool IsObjectOrGroup(const ZeClass& element);
// The group an object or group dropped on owner lands in: owner itself when
// it is a group, a dialog's root group; null for any other owner.
CObjectDataList* LandingGroup(ZeClass* owner);

// Where a dragged element is to land: in owner's list of its kind, in front
// of before (null: at the end of that list). Owners are the project for a
// dialog, a group (or a dialog, meaning its root group) for an object or
// group, the GRID object for a header column, and a dialog, object or group
// for a command.
struct DropPlace {
    ZeClass* owner = nullptr;
    ZeClass* before = nullptr;
};

// Whether element may land at place, moved (copy false) or copied, under
// the rules of cut and paste: a RADIOBTN only into a RADIO group, a group
// never into itself or below itself, header columns and commands only in
// the list they stand in, and a move only within its own dialog (a copy may
// go to another). A refusal carries its message (possibly empty, for a
// place that is simply no place for that element).
struct DropVerdict {
    bool allowed = false;
    EditResult refusal;
};
DropVerdict CheckDrop(const CZeResourceData& project, const ZeClass* element,
                      const DropPlace& place, bool copy);

// Moves or copies element to place as one step of the target dialog's
// history (moving a dialog among the dialogs has none, as ▲ and ▼ have
// none). The moved element, or the copy, is to be selected. A drop that
// CheckDrop refuses changes nothing and returns the refusal; a move to the
// place element already has changes nothing.
EditResult DropElement(CZeResourceData& project, ZeClass* element, const DropPlace& place,
                       bool copy);

// Several objects and groups dragged together (the topmost picked ones, in
// the order they were picked). Each is checked as CheckDrop checks it, and a
// refusal for one refuses them all; one element is CheckDrop's case.
DropVerdict CheckDropSeveral(const CZeResourceData& project, const std::vector<ZeClass*>& elements,
                             const DropPlace& place, bool copy);
// Moves them side by side to place in their order, as one step of their
// dialog's history, or pastes copies of them there (PasteElement's array);
// all of them, or their copies, are to be selected. One element is
// DropElement's case.
EditResult DropSeveral(CZeResourceData& project, const std::vector<ZeClass*>& elements,
                       const DropPlace& place, bool copy);

// An entry of the insert grid dropped at place: a new object or group of
// the type called typeName (ASCII, any letter case), inserted as the insert
// buttons insert it. CheckInsertAt refuses an unknown type, a RADIOBTN
// outside a RADIO group, an object in a dialog without a root group and a
// place that holds no objects.
DropVerdict CheckInsertAt(const CZeResourceData& project, std::string_view typeName,
                          const DropPlace& place);
EditResult InsertAt(CZeResourceData& project, std::string_view typeName, const DropPlace& place);

}  // namespace ze
