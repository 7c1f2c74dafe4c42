#include "model/editing/history_edits.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/dialog_edit.h"
#include "model/editing/edit_support.h"
#include "model/editing/element_lookup.h"
#include "model/object_data.h"
#include "model/undo_buffer.h"

namespace ze {

namespace {

// The elements of the step's selection that are in dialog's tree now, in the
// order they were picked.
std::vector<ZeClass*> PickedBefore(const CZeDialogData& dialog, const UndoRecord& record) {
    const std::vector<std::uint64_t>& serials = record.GetSelectionBefore();
    if (serials.empty()) {
        return {};
    }
    std::unordered_map<std::uint64_t, ZeClass*> bySerial;
    ForEachInTree(dialog, [&bySerial](ZeClass& element) {
        bySerial.emplace(element.GetSerial(), &element);
    });
    std::vector<ZeClass*> picked;
    for (const std::uint64_t serial : serials) {
        if (const auto it = bySerial.find(serial); it != bySerial.end()) {
            picked.push_back(it->second);
        }
    }
    return picked;
}

EditResult Step(CZeResourceData& project, CZeDialogData& dialog, bool forward) {
    if (forward ? !CanRedo(dialog) : !CanUndo(dialog)) {
        return {};
    }
    UndoBuffer& history = dialog.GetUndoBuffer();
    DialogEdit edit(project, dialog);
    // Only an element the step leaves in the tree may be selected; the
    // history asks once the whole step is applied, and the tree is walked
    // only when it asks.
    std::unordered_set<const ZeClass*> inTree;
    bool known = false;
    const auto selectable = [&](const ZeClass& element) {
        if (!known) {
            const std::vector<ZeClass*> elements = TreeElements(dialog);
            inTree.insert(elements.begin(), elements.end());
            known = true;
        }
        return inTree.contains(&element);
    };
    // The step's record: undo moves back over the current one, redo over the
    // next one.
    const auto position =
        static_cast<std::size_t>(forward ? history.GetIndex() : history.GetIndex() - 1);
    ZeClass* chosen = forward ? history.Redo(selectable) : history.Undo(selectable);
    const UndoRecord& record = history.GetRecord(position);
    EditResult result;
    edit.Stepped(record, result);
    // Undo picks again what the step was made from (a moved element, the
    // elements a value was given to, a deleted one now back). Redo picks
    // what the step brought into the tree first (a pasted element), else the
    // same. Failing both, what the step changed, else the dialog.
    std::vector<ZeClass*> picked = PickedBefore(dialog, record);
    if (forward && !result.change.added.empty()) {
        result.select = result.change.added.front();
    } else if (!picked.empty()) {
        result.selectAll = std::move(picked);
    } else if (!result.change.added.empty()) {
        result.select = result.change.added.front();
    } else {
        result.select = chosen != nullptr ? chosen : &dialog;
    }
    return result;
}

}  // namespace

EditResult UndoEdit(CZeResourceData& project, CZeDialogData& dialog) {
    return Selected(project, Step(project, dialog, false));
}

EditResult RedoEdit(CZeResourceData& project, CZeDialogData& dialog) {
    return Selected(project, Step(project, dialog, true));
}

bool CanUndo(const CZeDialogData& dialog) {
    return dialog.GetUndoBuffer().GetIndex() > 1;
}

bool CanRedo(const CZeDialogData& dialog) {
    return dialog.GetUndoBuffer().CanRedo();
}

}  // namespace ze
