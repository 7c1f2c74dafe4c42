#include "model/editing/history_edits.h"

#include <unordered_set>

#include "model/dialog_data.h"
#include "model/editing/dialog_edit.h"
#include "model/editing/element_lookup.h"
#include "model/object_data.h"

namespace ze {

namespace {

EditResult Step(CZeResourceData& project, CZeDialogData& dialog, bool forward) {
    if (forward ? !CanRedo(dialog) : !CanUndo(dialog)) {
        return {};
    }
    UndoBuffer& history = dialog.GetUndoBuffer();
    DialogEdit edit(project, dialog);
    if (CObjectDataList* root = dialog.GetRootGroup()) {
        root->SetSelected(false);
    }
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
    EditResult result;
    edit.Stepped(history.GetRecord(position), result);
    // What the step brought back into the tree (a deleted element, a
    // dissolved group) is what the user looks for; else what it changed.
    if (!result.change.added.empty()) {
        result.select = result.change.added.front();
    } else {
        result.select = chosen != nullptr ? chosen : &dialog;
    }
    return result;
}

}  // namespace

EditResult UndoEdit(CZeResourceData& project, CZeDialogData& dialog) {
    return Step(project, dialog, false);
}

EditResult RedoEdit(CZeResourceData& project, CZeDialogData& dialog) {
    return Step(project, dialog, true);
}

bool CanUndo(const CZeDialogData& dialog) {
    return dialog.GetUndoBuffer().GetIndex() > 1;
}

bool CanRedo(const CZeDialogData& dialog) {
    return dialog.GetUndoBuffer().CanRedo();
}

}  // namespace ze
