#pragma once

#include "model/editing/edit_result.h"

namespace ze {

class CZeDialogData;
class CZeResourceData;

// Steps through a dialog's history. The elements the step restores go back
// as they were. The element to select is the first one the step brought
// back into the dialog's tree; else one it changed that is in the tree
// afterwards (an object before anything else); else the dialog. Nothing to
// undo or redo changes nothing and selects nothing.
EditResult UndoEdit(CZeResourceData& project, CZeDialogData& dialog);
EditResult RedoEdit(CZeResourceData& project, CZeDialogData& dialog);

bool CanUndo(const CZeDialogData& dialog);
bool CanRedo(const CZeDialogData& dialog);

}  // namespace ze
