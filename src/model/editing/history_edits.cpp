#include "model/editing/history_edits.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/dialog_edit.h"
#include "model/editing/edit_support.h"
#include "model/editing/element_lookup.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"
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
    ForEachInTree(
        dialog, [&bySerial](ZeClass& element) { bySerial.emplace(element.GetSerial(), &element); });
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

// The other side of the step undo (forward: redo) would take next in
// dialog's history, and the position of its record there; null when the step
// has none, or when its dialog or its record has gone (a deleted dialog
// takes no history with it: its side stays as it is).
CZeDialogData* LinkedSide(const CZeResourceData& project, const CZeDialogData& dialog, bool forward,
                          std::size_t& position) {
    const UndoBuffer& history = dialog.GetUndoBuffer();
    const StepLink& link = history
                               .GetRecord(static_cast<std::size_t>(
                                   forward ? history.GetIndex() : history.GetIndex() - 1))
                               .GetLink();
    CZeDialogData* partner = link.IsLinked() ? FindDialogBySerial(project, link.dialog) : nullptr;
    const int at =
        partner != nullptr ? std::as_const(*partner).GetUndoBuffer().PositionOf(link.record) : -1;
    if (at < 1) {
        return nullptr;
    }
    position = static_cast<std::size_t>(at);
    return partner;
}

// Steps over the next record, and over its linked step in the other dialog
// after bringing that history next to it. The picks are those of dialog's
// own step: the user goes on in the history they stepped.
EditResult StepLinked(CZeResourceData& project, CZeDialogData& dialog, bool forward) {
    if (forward ? !CanRedo(dialog) : !CanUndo(dialog)) {
        return {};
    }
    std::size_t position = 0;
    if (CZeDialogData* partner = LinkedSide(project, dialog, forward, position)) {
        const UndoBuffer& other = std::as_const(*partner).GetUndoBuffer();
        // Undo: the partner's later steps first (its step is applied, so
        // its index is past position); redo: its earlier ones.
        while (forward ? static_cast<std::size_t>(other.GetIndex()) < position
                       : static_cast<std::size_t>(other.GetIndex()) > position + 1) {
            const std::int32_t was = other.GetIndex();
            StepLinked(project, *partner, forward);
            if (other.GetIndex() == was) {
                break;
            }
        }
        if (static_cast<std::size_t>(other.GetIndex()) == (forward ? position : position + 1)) {
            Step(project, *partner, forward);
        }
    }
    return Step(project, dialog, forward);
}

}  // namespace

EditResult UndoEdit(CZeResourceData& project, CZeDialogData& dialog) {
    return Selected(project, StepLinked(project, dialog, false));
}

EditResult RedoEdit(CZeResourceData& project, CZeDialogData& dialog) {
    return Selected(project, StepLinked(project, dialog, true));
}

std::vector<HistoryStep> HistorySteps(const CZeResourceData& project, const CZeDialogData& dialog) {
    const UndoBuffer& history = dialog.GetUndoBuffer();
    std::vector<HistoryStep> steps;
    steps.reserve(history.GetRecordCount());
    for (std::size_t i = 0; i < history.GetRecordCount(); ++i) {
        const UndoRecord& record = history.GetRecord(i);
        HistoryStep step;
        step.name = record.GetName();
        if (const StepLink& link = record.GetLink(); link.IsLinked()) {
            if (const CZeDialogData* other = FindDialogBySerial(project, link.dialog)) {
                step.linkedDialog = other->GetItem(prop::kName);
            }
        }
        step.applied = i < static_cast<std::size_t>(history.GetIndex());
        step.saved = history.SavedStepId() != 0 && record.GetId() == history.SavedStepId();
        steps.push_back(std::move(step));
    }
    return steps;
}

std::size_t AppliedSteps(const CZeDialogData& dialog) {
    return static_cast<std::size_t>(std::max(dialog.GetUndoBuffer().GetIndex(), 1));
}

const StepName* StepToUndo(const CZeDialogData& dialog) {
    const UndoBuffer& history = dialog.GetUndoBuffer();
    return CanUndo(dialog)
               ? &history.GetRecord(static_cast<std::size_t>(history.GetIndex() - 1)).GetName()
               : nullptr;
}

const StepName* StepToRedo(const CZeDialogData& dialog) {
    const UndoBuffer& history = dialog.GetUndoBuffer();
    return CanRedo(dialog)
               ? &history.GetRecord(static_cast<std::size_t>(history.GetIndex())).GetName()
               : nullptr;
}

EditResult StepHistoryTo(CZeResourceData& project, CZeDialogData& dialog, std::size_t applied) {
    EditResult result;
    const UndoBuffer& history = std::as_const(dialog).GetUndoBuffer();
    if (history.GetRecordCount() == 0) {
        return result;
    }
    applied = std::clamp<std::size_t>(applied, 1, history.GetRecordCount());
    while (AppliedSteps(dialog) != applied) {
        const std::size_t was = AppliedSteps(dialog);
        const bool forward = was < applied;
        const EditResult one = forward ? RedoEdit(project, dialog) : UndoEdit(project, dialog);
        if (AppliedSteps(dialog) == was) {
            break;
        }
        result.changed = true;
        result.select = one.select;
        result.selectAll = one.selectAll;
    }
    return result;
}

bool CanUndo(const CZeDialogData& dialog) {
    return dialog.GetUndoBuffer().GetIndex() > 1;
}

bool CanRedo(const CZeDialogData& dialog) {
    return dialog.GetUndoBuffer().CanRedo();
}

}  // namespace ze
