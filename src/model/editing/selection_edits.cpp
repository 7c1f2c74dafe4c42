#include "model/editing/selection_edits.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "model/dialog_data.h"
#include "model/editing/dialog_edit.h"
#include "model/editing/edit_support.h"
#include "model/editing/element_lookup.h"
#include "model/editing/selection.h"
#include "model/editing/step_names.h"
#include "model/editing/tree_edits.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {

namespace {

bool IsObjectOrGroup(const ZeClass& element) {
    return element.GetKind() == ElementKind::kObject || element.GetKind() == ElementKind::kGroup;
}

// Whether a picked group other than element holds it.
bool HeldByPicked(const CZeDialogData& dialog, const std::unordered_set<const ZeClass*>& picked,
                  const ZeClass& element) {
    for (const ZeClass* owner = FindOwner(dialog, element); owner != nullptr;
         owner = FindOwner(dialog, *owner)) {
        if (picked.contains(owner)) {
            return true;
        }
    }
    return false;
}

// What the operations act on: the topmost picked elements, or the current
// element alone.
std::vector<ZeClass*> Operands(const CZeResourceData& project) {
    std::vector<ZeClass*> topmost = TopmostPicked(project);
    if (topmost.empty()) {
        if (ZeClass* current = project.GetSelection().Current()) {
            topmost.push_back(current);
        }
    }
    return topmost;
}

// Moves the picked children of group one place; true when any moved.
bool MoveBlock(std::vector<CObjectData*>& children, const std::unordered_set<const ZeClass*>& picked,
               bool up) {
    bool moved = false;
    const std::size_t n = children.size();
    if (n < 2) {
        return false;
    }
    if (up) {
        for (std::size_t i = 1; i < n; ++i) {
            if (picked.contains(children[i]) && !picked.contains(children[i - 1])) {
                std::swap(children[i], children[i - 1]);
                moved = true;
            }
        }
    } else {
        for (std::size_t i = n - 1; i-- > 0;) {
            if (picked.contains(children[i]) && !picked.contains(children[i + 1])) {
                std::swap(children[i], children[i + 1]);
                moved = true;
            }
        }
    }
    return moved;
}

}  // namespace

std::vector<ZeClass*> TopmostPicked(const CZeResourceData& project) {
    const Selection& selection = project.GetSelection();
    const CZeDialogData* dialog = selection.Dialog();
    if (dialog == nullptr || selection.Elements().size() < 2) {
        return selection.Elements();
    }
    const std::unordered_set<const ZeClass*> picked(selection.Elements().begin(),
                                                    selection.Elements().end());
    std::vector<ZeClass*> topmost;
    for (ZeClass* element : selection.Elements()) {
        if (!HeldByPicked(*dialog, picked, *element)) {
            topmost.push_back(element);
        }
    }
    return topmost;
}

std::vector<ZeClass*> DraggedWith(const CZeResourceData& project, ZeClass& element) {
    const std::vector<ZeClass*>& picked = project.GetSelection().Elements();
    if (picked.size() < 2 || !IsObjectOrGroup(element) ||
        std::find(picked.begin(), picked.end(), &element) == picked.end()) {
        return {&element};
    }
    std::vector<ZeClass*> dragged = TopmostPicked(project);
    std::erase_if(dragged, [](const ZeClass* e) { return !IsObjectOrGroup(*e); });
    return dragged;
}

EditResult DeleteSelection(CZeResourceData& project) {
    const std::vector<ZeClass*> targets = Operands(project);
    CZeDialogData* dialog = project.GetSelection().Dialog();
    if (targets.size() < 2 || dialog == nullptr) {
        return targets.empty() ? EditResult{}
                               : DeleteElement(project, dialog, targets.front());
    }
    EditResult result = CopySelection(project);
    EditBatch batch(project, *dialog);
    ZeClass* after = nullptr;
    for (ZeClass* target : targets) {
        const EditResult one = DeleteElement(project, dialog, target);
        if (one.select != nullptr && std::find(targets.begin(), targets.end(), one.select) ==
                                         targets.end()) {
            after = one.select;
        }
    }
    batch.Finish(result);
    // The element to show next may have gone with a later target: compared,
    // never touched.
    const std::vector<ZeClass*> left = TreeElements(*dialog);
    result.select = std::find(left.begin(), left.end(), after) != left.end() ? after : dialog;
    return Selected(project, std::move(result));
}

EditResult CopySelection(CZeResourceData& project) {
    return CopyElements(Operands(project));
}

EditResult CopyElements(const std::vector<ZeClass*>& elements) {
    std::vector<ZeClass*> targets = elements;
    if (targets.size() < 2) {
        return CopyElement(targets.empty() ? nullptr : targets.front());
    }
    std::erase_if(targets, [](const ZeClass* element) { return !IsObjectOrGroup(*element); });
    if (targets.size() < 2) {
        return CopyElement(targets.empty() ? nullptr : targets.front());
    }
    std::string text = "[\r\n";
    for (std::size_t i = 0; i < targets.size(); ++i) {
        text += CopyElement(targets[i]).clipboardText;
        text += i + 1 < targets.size() ? ",\r\n" : "\r\n";
    }
    text += "]\r\n";
    EditResult result;
    result.clipboardText = std::move(text);
    return result;
}

EditResult PasteAtSelection(CZeResourceData& project, std::string_view text, PasteMode mode) {
    const Selection& selection = project.GetSelection();
    return PasteElement(project, selection.Dialog(), selection.Current(), text, mode);
}

EditResult MoveSelection(CZeResourceData& project, MoveDirection direction) {
    const std::vector<ZeClass*> targets = Operands(project);
    CZeDialogData* dialog = project.GetSelection().Dialog();
    const bool allObjects = std::all_of(targets.begin(), targets.end(),
                                        [](const ZeClass* e) { return IsObjectOrGroup(*e); });
    if (targets.size() < 2 || dialog == nullptr || !allObjects) {
        return targets.empty() ? EditResult{}
                               : MoveElement(project, dialog, targets.back(), direction);
    }
    const std::unordered_set<const ZeClass*> picked(targets.begin(), targets.end());
    std::vector<CObjectDataList*> parents;
    for (ZeClass* target : targets) {
        CObjectDataList* parent = static_cast<CObjectData*>(target)->GetParent();
        if (parent != nullptr && std::find(parents.begin(), parents.end(), parent) == parents.end()) {
            parents.push_back(parent);
        }
    }
    DialogEdit edit(project, *dialog);
    bool moved = false;
    for (CObjectDataList* parent : parents) {
        moved = MoveBlock(parent->GetChildren(), picked, direction == MoveDirection::kUp) || moved;
    }
    if (!moved) {
        return {};
    }
    edit.SetName(NameStep(StepKind::kMove, targets));
    EditResult result;
    edit.Record(result);
    result.selectAll = project.GetSelection().Elements();
    return Selected(project, std::move(result));
}

}  // namespace ze
