#pragma once

#include <cstdint>
#include <functional>
#include <unordered_set>
#include <vector>

namespace ze {

class CZeDialogData;
class CZeResourceData;
class ZeClass;

// Where elements stand in a project, found from the model alone.

// The element whose list holds element: a header column's object, a
// command's dialog, object or group, an object's or group's parent group,
// the dialog of a root group. Null when element is not in dialog's tree (or
// is the dialog itself).
ZeClass* FindOwner(const CZeDialogData& dialog, const ZeClass& element);

// Whether element is dialog itself or anywhere in its tree.
bool IsInTree(const CZeDialogData& dialog, const ZeClass& element);

// The dialog element is or whose tree holds it; null for the project root,
// for an element taken out of its tree and for one of no dialog.
CZeDialogData* FindDialogOf(const CZeResourceData& project, const ZeClass& element);

// The dialog of the project with serial number serial; null when it has gone.
CZeDialogData* FindDialogBySerial(const CZeResourceData& project, std::uint64_t serial);

// Calls visit for every element of dialog's tree below the dialog, parents
// before children in tree order (commands, root group; in a group its
// commands, then its children; in an object its header columns, then its
// commands).
void ForEachInTree(const CZeDialogData& dialog, const std::function<void(ZeClass&)>& visit);

// The elements of dialog's tree as ForEachInTree gives them.
std::vector<ZeClass*> TreeElements(const CZeDialogData& dialog);

}  // namespace ze
