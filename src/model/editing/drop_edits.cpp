// Dragging elements of the tree to another place: the checks a drop
// indicator needs before the button is released, and the drop itself.

#include "model/editing/drop_edits.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/dialog_edit.h"
#include "model/editing/edit_support.h"
#include "model/editing/element_lookup.h"
#include "model/editing/selection_edits.h"
#include "model/editing/step_names.h"
#include "model/editing/tree_edits.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "model/schema.h"
#include "model/undo_buffer.h"

namespace ze {

namespace {

constexpr const char* kNotIntoItself =
    ZE_USER_TEXT("Messages", "グループをそれ自身やその中へは移動できません。");
constexpr const char* kRootGroup = ZE_USER_TEXT(
    "Messages",
    "ダイアログのルートグループは移動できません。Ctrlキーを押しながらドラッグするとコピーします。");

DropVerdict Allowed() {
    return {true, {}};
}

DropVerdict Refused(const char* utf8 = nullptr, MessageIcon icon = MessageIcon::kWarning) {
    DropVerdict verdict;
    if (utf8 != nullptr) {
        verdict.refusal = Refusal(utf8, icon);
    }
    return verdict;
}

DropVerdict CheckObjectDrop(const CZeResourceData& project, const CObjectData& element,
                            const DropPlace& place, bool copy) {
    CObjectDataList* group = LandingGroup(place.owner);
    if (group == nullptr) {
        return Refused();
    }
    if (place.before != nullptr &&
        (!IsObjectOrGroup(*place.before) ||
         group->IndexOf(static_cast<const CObjectData*>(place.before)) < 0)) {
        return Refused();
    }
    const CZeDialogData* from = FindDialogOf(project, element);
    const CZeDialogData* to = FindDialogOf(project, *group);
    if (from == nullptr || to == nullptr) {
        return Refused();
    }
    if (element.GetItem(prop::kType) == "RADIOBTN" && group->GetItem(prop::kLayout) != "RADIO") {
        return Refused(kRadioOnlyMessage, MessageIcon::kNone);
    }
    if (copy) {
        return Allowed();
    }
    if (from == to &&
        (&element == group ||
         (element.IsGroup() && static_cast<const CObjectDataList&>(element).Holds(group)))) {
        return Refused(kNotIntoItself);
    }
    // The root group has no place but its own.
    return element.GetParent() != nullptr ? Allowed() : Refused(kRootGroup);
}

// Header columns and commands move within the list they stand in.
DropVerdict CheckListedDrop(const CZeResourceData& project, const ZeClass& element,
                            const DropPlace& place, bool copy) {
    if (copy || place.owner == nullptr) {
        return Refused();
    }
    const CZeDialogData* dialog = FindDialogOf(project, element);
    if (dialog == nullptr || FindOwner(*dialog, element) != place.owner) {
        return Refused();
    }
    return Allowed();
}

std::vector<ZeClass*>* ListedIn(ZeClass& owner, const ZeClass& element) {
    if (element.GetKind() == ElementKind::kHeaderColumn) {
        return owner.GetKind() == ElementKind::kObject
                   ? &static_cast<CObjectData&>(owner).GetHeaders()
                   : nullptr;
    }
    return CommandListOf(owner);
}

// Puts item in front of before in list (at the end for null); false when
// that is where it already stands.
template <typename T>
bool Reorder(std::vector<T*>& list, T* item, const T* before) {
    std::vector<T*> reordered;
    for (T* entry : list) {
        if (entry == before) {
            reordered.push_back(item);
        }
        if (entry != item) {
            reordered.push_back(entry);
        }
    }
    if (before == nullptr) {
        reordered.push_back(item);
    }
    if (reordered == list) {
        return false;
    }
    list = std::move(reordered);
    return true;
}

EditResult MoveDialog(CZeResourceData& project, CZeDialogData& dialog, const ZeClass* before) {
    CZeDialogDataList& dialogs = project.GetDialogs();
    const int at = dialogs.IndexOf(&dialog);
    int to = before == nullptr ? static_cast<int>(dialogs.GetCount())
                               : dialogs.IndexOf(static_cast<const CZeDialogData*>(before));
    if (at < 0 || to < 0) {
        return {};
    }
    if (to > at) {
        --to;  // the place counts without the dialog itself
    }
    // One neighbour at a time, as the observers follow ▲ and ▼.
    for (int from = at; from != to; from += to > from ? 1 : -1) {
        const int next = to > from ? from + 1 : from - 1;
        dialogs.Swap(static_cast<std::size_t>(from), static_cast<std::size_t>(next));
        project.Observers().Notify([&](ProjectObserver& observer) {
            observer.DialogMoved(dialog, static_cast<std::size_t>(from),
                                 static_cast<std::size_t>(next));
        });
    }
    EditResult result;
    result.changed = at != to;
    result.select = &dialog;
    return result;
}

// Where a paste or an insert puts a new element so that it lands at place:
// after the element in front of it, or first or last in the group.
struct PastePlace {
    ZeClass* current;
    PasteMode mode;
};
PastePlace AsPastePlace(const DropPlace& place) {
    CObjectDataList* group = LandingGroup(place.owner);
    if (group == nullptr) {
        return {place.owner, PasteMode::kLastChild};  // a dialog without a root group
    }
    const std::vector<CObjectData*>& children = group->GetChildren();
    const auto at = std::find(children.begin(), children.end(), place.before);
    if (at == children.end()) {
        return {group, PasteMode::kLastChild};
    }
    if (at == children.begin()) {
        return {group, PasteMode::kFirstChild};
    }
    return {*std::prev(at), PasteMode::kAfter};
}

// A copy goes in as a paste of the element's text at the same place.
EditResult CopyTo(CZeResourceData& project, ZeClass& element, const DropPlace& place) {
    const StepKindScope kind(StepKind::kCopy);
    const EditResult copied = CopyElement(&element);
    if (element.GetKind() == ElementKind::kDialog) {
        EditResult pasted =
            PasteElement(project, nullptr, &element, copied.clipboardText, PasteMode::kAfter);
        CZeDialogDataList& dialogs = project.GetDialogs();
        if (pasted.changed && dialogs.GetCount() > 0) {
            CZeDialogData& added = *dialogs.GetDialog(dialogs.GetCount() - 1);
            MoveDialog(project, added, place.before);
            pasted.select = &added;
        }
        return pasted;
    }
    const PastePlace at = AsPastePlace(place);
    return PasteElement(project, nullptr, at.current, copied.clipboardText, at.mode);
}

// Objects and groups of one dialog moved into another: the elements of a
// dialog live in its own store, so copies of them go in at place (named
// unique there as a paste names them) and they leave their dialog. Each
// dialog records a step, and the two steps are linked: undone or redone in
// either history, both go, so the elements are never in both dialogs or in
// neither. The copies are to be selected.
EditResult MoveToOtherDialog(CZeResourceData& project, const std::vector<ZeClass*>& elements,
                             const DropPlace& place) {
    CZeDialogData& from = *FindDialogOf(project, *elements.front());
    CZeDialogData& to = *FindDialogOf(project, *LandingGroup(place.owner));
    std::vector<std::uint64_t> serials;
    for (const ZeClass* element : elements) {
        serials.push_back(element->GetSerial());
    }
    const StepName leaving = NameStep(StepKind::kMove, elements);
    EditResult arrived;
    {
        const StepKindScope kind(StepKind::kMove);
        const PastePlace at = AsPastePlace(place);
        arrived =
            PasteElement(project, &to, at.current, CopyElements(elements).clipboardText, at.mode);
    }
    if (arrived.stepsRecorded == 0) {
        return arrived;
    }
    EditResult left;
    {
        EditBatch batch(project, from);
        batch.SetName(leaving);
        for (ZeClass* element : elements) {
            DeleteElement(project, &from, element);
        }
        batch.Finish(left);
    }
    UndoBuffer& toHistory = to.GetUndoBuffer();
    UndoRecord& arrival = toHistory.GetRecord(static_cast<std::size_t>(toHistory.GetIndex() - 1));
    if (left.stepsRecorded == 1) {
        UndoBuffer& fromHistory = from.GetUndoBuffer();
        UndoRecord& departure =
            fromHistory.GetRecord(static_cast<std::size_t>(fromHistory.GetIndex() - 1));
        // Undoing the departure picks the elements back in their dialog.
        departure.SetSelectionBefore(std::move(serials));
        departure.SetLink({to.GetSerial(), arrival.GetId()});
        arrival.SetLink({from.GetSerial(), departure.GetId()});
    }
    // Told again now that the steps know each other, for whoever shows them.
    for (CZeDialogData* dialog : {&to, &from}) {
        project.Observers().Notify(
            [dialog](ProjectObserver& observer) { observer.HistoryMoved(*dialog); });
    }
    arrived.clipboardText.clear();
    return arrived;
}

}  // namespace

bool IsObjectOrGroup(const ZeClass& element) {
    return element.GetKind() == ElementKind::kObject || element.GetKind() == ElementKind::kGroup;
}

CObjectDataList* LandingGroup(ZeClass* owner) {
    if (owner == nullptr) {
        return nullptr;
    }
    if (owner->GetKind() == ElementKind::kGroup) {
        return static_cast<CObjectDataList*>(owner);
    }
    if (owner->GetKind() == ElementKind::kDialog) {
        return static_cast<CZeDialogData*>(owner)->GetRootGroup();
    }
    return nullptr;
}

DropVerdict CheckDrop(const CZeResourceData& project, const ZeClass* element,
                      const DropPlace& place, bool copy) {
    if (element == nullptr) {
        return Refused();
    }
    switch (element->GetKind()) {
        case ElementKind::kDialog:
            return place.owner == &project && (place.before == nullptr ||
                                               place.before->GetKind() == ElementKind::kDialog)
                       ? Allowed()
                       : Refused();
        case ElementKind::kObject:
        case ElementKind::kGroup:
            return CheckObjectDrop(project, static_cast<const CObjectData&>(*element), place, copy);
        case ElementKind::kHeaderColumn:
        case ElementKind::kCommand:
            return CheckListedDrop(project, *element, place, copy);
        default:
            return Refused();
    }
}

static EditResult DropElementUnpicked(CZeResourceData& project, ZeClass* element,
                                      const DropPlace& place, bool copy) {
    DropVerdict verdict = CheckDrop(project, element, place, copy);
    if (!verdict.allowed) {
        return verdict.refusal;
    }
    if (copy) {
        return CopyTo(project, *element, place);
    }
    if (element->GetKind() == ElementKind::kDialog) {
        return MoveDialog(project, static_cast<CZeDialogData&>(*element), place.before);
    }
    CZeDialogData& dialog = *FindDialogOf(project, *element);
    if (IsObjectOrGroup(*element) && FindDialogOf(project, *LandingGroup(place.owner)) != &dialog) {
        return MoveToOtherDialog(project, {element}, place);
    }
    DialogEdit edit(project, dialog);
    edit.SetName(NameStep(StepKind::kMove, *element));
    bool moved = false;
    if (IsObjectOrGroup(*element)) {
        auto& object = static_cast<CObjectData&>(*element);
        CObjectDataList& group = *LandingGroup(place.owner);
        const auto* before = static_cast<const CObjectData*>(place.before);
        if (object.GetParent() == &group) {
            moved = Reorder(group.GetChildren(), &object, before);
        } else {
            object.GetParent()->Remove(&object, false);
            if (before == nullptr) {
                group.InsertAfter(&object, nullptr);
            } else {
                group.InsertBefore(&object, before);
            }
            group.SetExpanded(true);
            moved = true;
        }
    } else if (std::vector<ZeClass*>* list = ListedIn(*place.owner, *element)) {
        moved = Reorder(*list, element, place.before);
    }
    if (!moved) {
        return {};
    }
    return edit.Record(element);
}

DropVerdict CheckDropSeveral(const CZeResourceData& project, const std::vector<ZeClass*>& elements,
                             const DropPlace& place, bool copy) {
    if (elements.size() == 1) {
        return CheckDrop(project, elements.front(), place, copy);
    }
    if (elements.empty()) {
        return Refused();
    }
    for (const ZeClass* element : elements) {
        if (element == nullptr || !IsObjectOrGroup(*element)) {
            return Refused();
        }
        DropVerdict verdict = CheckDrop(project, element, place, copy);
        if (!verdict.allowed) {
            return verdict;
        }
    }
    return Allowed();
}

EditResult DropSeveral(CZeResourceData& project, const std::vector<ZeClass*>& elements,
                       const DropPlace& place, bool copy) {
    if (elements.size() == 1) {
        return DropElement(project, elements.front(), place, copy);
    }
    DropVerdict verdict = CheckDropSeveral(project, elements, place, copy);
    if (!verdict.allowed) {
        return verdict.refusal;
    }
    if (copy) {
        const StepKindScope kind(StepKind::kCopy);
        const PastePlace at = AsPastePlace(place);
        return PasteElement(project, nullptr, at.current, CopyElements(elements).clipboardText,
                            at.mode);
    }
    if (FindDialogOf(project, *LandingGroup(place.owner)) !=
        FindDialogOf(project, *elements.front())) {
        return Selected(project, MoveToOtherDialog(project, elements, place));
    }
    // They land in front of the first sibling at or after place.before that
    // is not one of them, so that they end up side by side in their order.
    const std::vector<CObjectData*>& children = LandingGroup(place.owner)->GetChildren();
    auto at = std::find(children.begin(), children.end(), place.before);
    while (at != children.end() &&
           std::find(elements.begin(), elements.end(), *at) != elements.end()) {
        ++at;
    }
    const DropPlace landing{place.owner, at == children.end() ? nullptr : *at};
    CZeDialogData& dialog = *FindDialogOf(project, *elements.front());
    EditResult result;
    {
        EditBatch batch(project, dialog);
        for (ZeClass* element : elements) {
            DropElement(project, element, landing, false);
        }
        batch.Finish(result);
    }
    if (result.stepsRecorded == 0) {
        return {};
    }
    result.selectAll = elements;
    return Selected(project, std::move(result));
}

DropVerdict CheckInsertAt(const CZeResourceData& project, std::string_view typeName,
                          const DropPlace& place) {
    const bool group = LayoutCodeIgnoringCase(typeName) != GroupLayout::kUnset;
    const ObjectType type = group ? ObjectType::kUnset : ObjectTypeIndexIgnoringCase(typeName);
    if ((!group && type == ObjectType::kUnset) || place.owner == nullptr ||
        FindDialogOf(project, *place.owner) == nullptr) {
        return Refused();
    }
    CObjectDataList* target = LandingGroup(place.owner);
    if (target == nullptr) {
        if (place.owner->GetKind() != ElementKind::kDialog) {
            return Refused();
        }
        return group ? Allowed() : Refused(kGroupFirstMessage);
    }
    if (place.before != nullptr &&
        (!IsObjectOrGroup(*place.before) ||
         target->IndexOf(static_cast<const CObjectData*>(place.before)) < 0)) {
        return Refused();
    }
    if (type == ObjectType::kRadioButton && target->GetItem(prop::kLayout) != "RADIO") {
        return Refused(kRadioOnlyMessage, MessageIcon::kNone);
    }
    return Allowed();
}

static EditResult InsertAtUnpicked(CZeResourceData& project, std::string_view typeName,
                                   const DropPlace& place) {
    DropVerdict verdict = CheckInsertAt(project, typeName, place);
    if (!verdict.allowed) {
        return verdict.refusal;
    }
    const PastePlace at = AsPastePlace(place);
    return InsertElement(project, nullptr, at.current, typeName, at.mode);
}

EditResult DropElement(CZeResourceData& project, ZeClass* element, const DropPlace& place,
                       bool copy) {
    return Selected(project, DropElementUnpicked(project, element, place, copy));
}

EditResult InsertAt(CZeResourceData& project, std::string_view typeName, const DropPlace& place) {
    return Selected(project, InsertAtUnpicked(project, typeName, place));
}

}  // namespace ze
