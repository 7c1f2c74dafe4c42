// Moving, deleting, grouping and ungrouping elements of a project.

#include "model/editing/tree_edits.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/dialog_edit.h"
#include "model/editing/edit_support.h"
#include "model/editing/element_lookup.h"
#include "model/editing/step_names.h"
#include "model/new_elements.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {

namespace {

constexpr const char* kNoOwner =
    ZE_USER_TEXT("Messages", "エラー: ヘッダのオブジェクトが取得できませんでした。");

bool IsListedInOwner(const ZeClass& element) {
    return element.GetKind() == ElementKind::kHeaderColumn ||
           element.GetKind() == ElementKind::kCommand;
}

// Exchanges element with its neighbour before (up) or after it; false when
// there is none or element is not in the list.
template <typename T>
bool SwapInList(std::vector<T*>& list, const ZeClass& element, bool up) {
    const auto it = std::find(list.begin(), list.end(), &element);
    if (it == list.end() || (up ? it == list.begin() : it + 1 == list.end())) {
        return false;
    }
    std::iter_swap(it, up ? it - 1 : it + 1);
    return true;
}

bool EraseFrom(std::vector<ZeClass*>& list, const ZeClass& element) {
    const auto it = std::find(list.begin(), list.end(), &element);
    if (it == list.end()) {
        return false;
    }
    list.erase(it);
    return true;
}

// The list target stands in inside its owner; null when there is none.
std::vector<ZeClass*>* OwnerList(const CZeDialogData& dialog, const ZeClass& target) {
    ZeClass* owner = FindOwner(dialog, target);
    if (owner == nullptr) {
        return nullptr;
    }
    if (target.GetKind() == ElementKind::kHeaderColumn) {
        return owner->GetKind() == ElementKind::kObject
                   ? &static_cast<CObjectData*>(owner)->GetHeaders()
                   : nullptr;
    }
    return CommandListOf(*owner);
}

EditResult MoveDialog(CZeResourceData& project, CZeDialogData& dialog, bool up) {
    CZeDialogDataList& dialogs = project.GetDialogs();
    const int at = dialogs.IndexOf(&dialog);
    if (at < 0 || (up ? at == 0 : static_cast<std::size_t>(at) + 1 == dialogs.GetCount())) {
        return {};
    }
    const auto from = static_cast<std::size_t>(at);
    const std::size_t to = up ? from - 1 : from + 1;
    dialogs.Swap(from, to);
    project.Observers().Notify(
        [&](ProjectObserver& observer) { observer.DialogMoved(dialog, from, to); });
    EditResult result;
    result.changed = true;
    result.select = &dialog;
    return result;
}

void DeleteDialog(CZeResourceData& project, CZeDialogData& dialog, EditResult& result) {
    CZeDialogDataList& dialogs = project.GetDialogs();
    const int at = dialogs.IndexOf(&dialog);
    if (at < 0) {
        return;
    }
    const auto position = static_cast<std::size_t>(at);
    if (dialogs.GetCount() > 1) {
        result.select =
            dialogs.GetDialog(position + 1 < dialogs.GetCount() ? position + 1 : position - 1);
    }
    project.Observers().Notify([&](ProjectObserver& observer) { observer.DialogRemoving(dialog); });
    dialogs.DeleteDialog(&dialog);
    result.changed = true;
    result.statusText =
        UserText("Messages", ZE_USER_TEXT("Messages", "ダイアログの削除は元に戻せません。"));
}

}  // namespace

static EditResult MoveElementUnpicked(CZeResourceData& project, CZeDialogData* dialog, ZeClass* target, MoveDirection direction) {
    if (target == nullptr) {
        return {};
    }
    const bool up = direction == MoveDirection::kUp;
    if (target->GetKind() == ElementKind::kDialog) {
        return MoveDialog(project, static_cast<CZeDialogData&>(*target), up);
    }
    CZeDialogData* holder = DialogHolding(project, dialog, *target);
    if (holder == nullptr) {
        return IsListedInOwner(*target) ? Refusal(kNoOwner, MessageIcon::kStop) : EditResult{};
    }
    DialogEdit edit(project, *holder);
    bool moved = false;
    switch (target->GetKind()) {
        case ElementKind::kObject:
        case ElementKind::kGroup:
            if (CObjectDataList* parent = static_cast<CObjectData*>(target)->GetParent()) {
                moved = SwapInList(parent->GetChildren(), *target, up);
            }
            break;
        case ElementKind::kHeaderColumn:
        case ElementKind::kCommand:
            if (std::vector<ZeClass*>* list = OwnerList(*holder, *target)) {
                moved = SwapInList(*list, *target, up);
            }
            break;
        default:
            break;
    }
    if (!moved) {
        return {};
    }
    edit.SetName(NameStep(StepKind::kMove, *target));
    return edit.Record(target);
}

static EditResult DeleteElementUnpicked(CZeResourceData& project, CZeDialogData* dialog, ZeClass* target) {
    if (target == nullptr) {
        return {};
    }
    // The deleted element stays on the clipboard.
    EditResult result = CopyElement(target);
    if (target->GetKind() == ElementKind::kDialog) {
        DeleteDialog(project, static_cast<CZeDialogData&>(*target), result);
        return result;
    }
    CZeDialogData* holder = DialogHolding(project, dialog, *target);
    if (holder == nullptr) {
        if (IsListedInOwner(*target)) {
            result.message = UserText("Messages", kNoOwner);
            result.icon = MessageIcon::kStop;
        }
        return result;
    }
    DialogEdit edit(project, *holder);
    // Named now: a destroyed element may be freed at once.
    edit.SetName(NameStep(StepKind::kDelete, *target));
    ElementStore& store = holder->GetElementStore();
    switch (target->GetKind()) {
        case ElementKind::kHeaderColumn:
        case ElementKind::kCommand: {
            ZeClass* owner = FindOwner(*holder, *target);
            std::vector<ZeClass*>* list = OwnerList(*holder, *target);
            if (list == nullptr || !EraseFrom(*list, *target)) {
                return result;
            }
            store.Destroy(target);
            result.select = owner;
            break;
        }
        case ElementKind::kObject:
        case ElementKind::kGroup: {
            auto& object = static_cast<CObjectData&>(*target);
            if (CObjectDataList* parent = object.GetParent()) {
                if (!parent->Remove(&object, true)) {
                    return result;
                }
                result.select = parent;
            } else if (holder->GetRootGroup() == &object) {
                holder->SetRootGroup(nullptr);
                store.Destroy(&object);
                result.select = holder;
            } else {
                return result;
            }
            break;
        }
        default:
            return result;
    }
    edit.Record(result);
    return result;
}

static EditResult GroupSelectionUnpicked(CZeResourceData& project, CZeDialogData* dialog, ZeClass* chosen) {
    if (chosen == nullptr ||
        (chosen->GetKind() != ElementKind::kObject && chosen->GetKind() != ElementKind::kGroup)) {
        return {};
    }
    auto& object = static_cast<CObjectData&>(*chosen);
    CZeDialogData* holder = DialogHolding(project, dialog, object);
    if (holder == nullptr || holder->GetRootGroup() == nullptr || object.GetParent() == nullptr) {
        return {};
    }
    DialogEdit edit(project, *holder);
    CObjectDataList* group = GroupSelected(*holder->GetRootGroup(), object);
    if (group == nullptr) {
        return {};
    }
    const std::vector<CObjectData*>& grouped = group->GetChildren();
    edit.SetName(NameStep(StepKind::kGroup, std::vector<ZeClass*>(grouped.begin(), grouped.end())));
    return edit.Record(group);
}

static EditResult UngroupElementUnpicked(CZeResourceData& project, CZeDialogData* dialog, ZeClass* target) {
    if (target == nullptr || target->GetKind() != ElementKind::kGroup) {
        return {};
    }
    auto& group = static_cast<CObjectDataList&>(*target);
    CObjectDataList* parent = group.GetParent();
    CZeDialogData* holder = DialogHolding(project, dialog, group);
    if (parent == nullptr || holder == nullptr) {
        return {};
    }
    const auto& siblings = parent->GetChildren();
    if (std::count_if(siblings.begin(), siblings.end(),
                      [](const CObjectData* child) { return child->IsSelected(); }) != 1) {
        return {};
    }
    DialogEdit edit(project, *holder);
    edit.SetName(NameStep(StepKind::kUngroup, group));
    std::vector<CObjectData*> former = group.GetChildren();
    CObjectData* first = Ungroup(group);
    if (first == nullptr) {
        return {};
    }
    // The dissolved group is out of the tree, so the step does not record
    // it; undo puts it back into its parent as it is now, which has to be
    // with its children.
    group.GetChildren() = std::move(former);
    return edit.Record(first);
}

CZeDialogData* NewDialog(CZeResourceData& project) {
    CZeDialogData* dialog = CreateNewDialog(project.GetDialogs(), "Dialog");
    if (dialog != nullptr) {
        project.Observers().Notify([&](ProjectObserver& observer) { observer.DialogAdded(*dialog); });
    }
    return dialog;
}

EditResult MoveElement(CZeResourceData& project, CZeDialogData* dialog, ZeClass* target, MoveDirection direction) {
    return Selected(project, MoveElementUnpicked(project, dialog, target, direction));
}

EditResult DeleteElement(CZeResourceData& project, CZeDialogData* dialog, ZeClass* target) {
    return Selected(project, DeleteElementUnpicked(project, dialog, target));
}

EditResult GroupSelection(CZeResourceData& project, CZeDialogData* dialog, ZeClass* chosen) {
    return Selected(project, GroupSelectionUnpicked(project, dialog, chosen));
}

EditResult UngroupElement(CZeResourceData& project, CZeDialogData* dialog, ZeClass* target) {
    return Selected(project, UngroupElementUnpicked(project, dialog, target));
}

namespace {

void EmptyProject(CZeResourceData& project, bool keepRootItems) {
    // Out of the list before the observers hear of it, so that whatever they
    // look at is the empty project; alive until they have let go.
    std::vector<std::unique_ptr<CZeDialogData>> gone = project.TakeEverything(keepRootItems);
    project.Observers().Notify([](ProjectObserver& observer) { observer.ProjectEmptied(); });
    // Last to first, as the list destroys them.
    while (!gone.empty()) {
        gone.pop_back();
    }
}

}  // namespace

void DiscardProject(CZeResourceData& project) {
    EmptyProject(project, false);
}

void DiscardDialogs(CZeResourceData& project) {
    EmptyProject(project, true);
}

}  // namespace ze
