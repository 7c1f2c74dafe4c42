#pragma once

#include <string_view>

#include "model/editing/edit_result.h"

namespace ze {

class CZeDialogData;
class CZeResourceData;
class ZeClass;

// The editor's changes to the structure of a project. Each call takes the
// project, the dialog the target stands in (null: found from the target)
// and the target, changes the model, records at most one step in the
// dialog's history, tells the project's observers and says what to show.
// A target that is not in its dialog's tree changes nothing. Texts are
// Shift_JIS.

// Exchanges target with its neighbour before or after it: a dialog in the
// dialog list (no history step), an object or group in its parent group, a
// header column or command in its owner's list. The target stays selected.
EditResult MoveElement(CZeResourceData& project, CZeDialogData* dialog, ZeClass* target,
                       MoveDirection direction);

// Deletes target after taking its resource text for the clipboard: a dialog
// (not undoable: the status text says so; its neighbour is to be selected),
// an object or group with its subtree (its parent is selected), a root
// group (the dialog is selected), a header column or command (its owner is
// selected).
EditResult DeleteElement(CZeResourceData& project, CZeDialogData* dialog, ZeClass* target);

// The resource text of a dialog, object or group, for the clipboard;
// nothing changes.
EditResult CopyElement(ZeClass* target);

// Pastes resource text at current: "Commands" or a dialog message adds
// dialogs to the project; an object or group goes where mode says beside or
// below current, each empty or clashing name in it renamed as
// NameNewElements does. The new element is to be selected.
EditResult PasteElement(CZeResourceData& project, CZeDialogData* dialog, ZeClass* current,
                        std::string_view text, PasteMode mode);

// Inserts a new group or object of the type called typeName (ASCII, any
// letter case) where mode says, named by its type and the first free number
// (Button1, Linear2); a name that is no type changes nothing.
EditResult InsertElement(CZeResourceData& project, CZeDialogData* dialog, ZeClass* current,
                         std::string_view typeName, PasteMode mode);

// Moves the selected elements of the dialog into a new LINEAR group in
// front of chosen, which must be an object or group inside the root group.
EditResult GroupSelection(CZeResourceData& project, CZeDialogData* dialog, ZeClass* chosen);

// Dissolves group into its parent when exactly one of the parent's children
// is selected (no multiple selection). Its first former child is to be
// selected.
EditResult UngroupElement(CZeResourceData& project, CZeDialogData* dialog, ZeClass* group);

// File > New: a dialog named "Dialog" (made unique) with its root group
// (CreateNewDialog), appended to the project and told as added, so that the project counts as changed. No history
// step: like every change of the dialog list, only a save takes it back.
CZeDialogData* NewDialog(CZeResourceData& project);

// Discard all: every dialog of the project goes with its history, and the
// project root gets a new project's items, so nothing of the discarded
// project shows in a file opened next. Told once, as ProjectEmptied, however
// many dialogs there were. Not undoable.
void DiscardProject(CZeResourceData& project);
// The same with the project root's items kept.
void DiscardDialogs(CZeResourceData& project);

}  // namespace ze
