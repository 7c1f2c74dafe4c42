#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/editing/edit_result.h"
#include "model/step_name.h"

namespace ze {

class CZeDialogData;
class CZeResourceData;

// Steps through a dialog's history. The elements the step restores go back
// as they were. Undo picks the elements that were picked when the step was
// made, those of them in the tree now; redo picks the first element the
// step brought into the tree, else the same. Failing that, one it changed
// that is in the tree afterwards (an object before anything else), else the
// dialog. Nothing to undo or redo changes nothing and selects nothing.
// A step linked with a step of another dialog (elements moved between the
// two) takes that one along: the other history is first undone or redone up
// to it, then both steps go, each told as a step of its own dialog.
EditResult UndoEdit(CZeResourceData& project, CZeDialogData& dialog);
EditResult RedoEdit(CZeResourceData& project, CZeDialogData& dialog);

bool CanUndo(const CZeDialogData& dialog);
bool CanRedo(const CZeDialogData& dialog);

// One step of a dialog's history as the user reads it.
struct HistoryStep {
    StepName name;
    // The dialog (its Name, Shift_JIS) whose step goes with this one; empty
    // for none.
    std::string linkedDialog;
    bool applied = false;  // undo would reach it; the last applied one is current
    bool saved = false;    // the state the project was last saved in
};

// The steps of dialog's history, the state it was loaded or created with
// first.
std::vector<HistoryStep> HistorySteps(const CZeResourceData& project, const CZeDialogData& dialog);
// How many steps are applied (at least 1: the first state).
std::size_t AppliedSteps(const CZeDialogData& dialog);
// The name of the step undo or redo would take next; none when there is
// nothing to undo or redo.
const StepName* StepToUndo(const CZeDialogData& dialog);
const StepName* StepToRedo(const CZeDialogData& dialog);

// Undoes or redoes dialog's history until applied steps are applied, one
// step at a time as UndoEdit and RedoEdit do; the last step picks.
EditResult StepHistoryTo(CZeResourceData& project, CZeDialogData& dialog, std::size_t applied);

}  // namespace ze
