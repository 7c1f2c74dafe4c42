#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "model/pointer_map.h"

namespace ze {

class CItemList;
class CObjectData;
class CZeDialogData;
class CZeResourceData;
class ZeClass;

// Which element of one version of a dialog is which element of another.
// Groups and objects match by their Name when it is unique in both
// versions, wherever they stand (so a change of parent is a move); the rest
// by Name among the children of matched groups, then the unnamed ones by
// type and position among their unnamed siblings, then what is left by type
// at the same index (a rename). Root groups always match each other. Header
// columns match by position, commands by their Event and their position
// among the commands of that Event of the matched owner. The two dialogs
// match each other.
struct DialogMatch {
    const CZeDialogData* oldDialog = nullptr;
    const CZeDialogData* newDialog = nullptr;
    PointerMap<const ZeClass*, ZeClass*> toNew;
    PointerMap<const ZeClass*, ZeClass*> toOld;
    // Matched groups and objects (of the new version) whose place changed:
    // another parent, or an order among the matched siblings that only a
    // move explains.
    PointerSet<const ZeClass*> moved;

    // The counterpart of an element of the old (new) version; null when it
    // has none.
    ZeClass* NewOf(const ZeClass* element) const;
    ZeClass* OldOf(const ZeClass* element) const;
};

DialogMatch MatchDialogs(const CZeDialogData& oldDialog, const CZeDialogData& newDialog);

// Dialogs match by Name (the first of each name in each version). The
// pairs are matched one at a time (MatchDialogs), so that only one pair's
// tables are held at once.
struct DialogPairs {
    struct Pair {
        const CZeDialogData* oldDialog;
        const CZeDialogData* newDialog;
    };
    std::vector<Pair> matched;                  // in the new version's order
    std::vector<const CZeDialogData*> removed;  // old dialogs without a match
    std::vector<const CZeDialogData*> added;    // new dialogs without a match
    // Matched dialogs (of the new version) whose order among the matched
    // ones only a move explains.
    std::unordered_set<const CZeDialogData*> moved;
};

DialogPairs PairDialogs(const CZeResourceData& oldProject, const CZeResourceData& newProject);

// What the type of a group or object is called in paths and change lines:
// its Type item, or GROUP / OBJECT without one.
std::string ElementTypeName(const CObjectData& element);

// The path segment of a group or object: its Name, or TYPE#N with N its
// index among its parent's children.
std::string ElementSegment(const CObjectData& element);
// The path of a group or object from its dialog: "Main/Root/Buttons/Open".
std::string ElementPath(const CZeDialogData& dialog, const CObjectData& element);
// The segment of the command at index among owner's commands: its Event, and
// when earlier commands have the same Event, "#" and how many ("OnClick#1").
std::string CommandSegment(const std::vector<ZeClass*>& commands, std::size_t index);
// "Header#N".
std::string HeaderSegment(std::size_t index);

// Calls visit(name, oldValue, newValue) for every property whose value
// differs between the two item lists; a property missing from one list
// counts as empty there, as the writers leave empty values out. The first
// item of a name counts, as the readers take it.
using ItemChangeVisitor = std::function<void(std::string_view name, std::string_view oldValue,
                                             std::string_view newValue)>;
void ForEachChangedItem(const CItemList& oldItems, const CItemList& newItems,
                        const ItemChangeVisitor& visit);

}  // namespace ze
