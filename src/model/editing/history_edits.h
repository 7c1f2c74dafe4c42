#pragma once

#include "model/editing/edit_result.h"

namespace ze {

class CZeDialogData;
class CZeResourceData;

// Steps through a dialog's history. The elements the step restores go back
// as they were. Undo picks the elements that were picked when the step was
// made, those of them in the tree now; redo picks the first element the
// step brought into the tree, else the same. Failing that, one it changed
// that is in the tree afterwards (an object before anything else), else the
// dialog. Nothing to undo or redo changes nothing and selects nothing.
EditResult UndoEdit(CZeResourceData& project, CZeDialogData& dialog);
EditResult RedoEdit(CZeResourceData& project, CZeDialogData& dialog);

bool CanUndo(const CZeDialogData& dialog);
bool CanRedo(const CZeDialogData& dialog);

}  // namespace ze
