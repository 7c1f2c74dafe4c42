#pragma once

#include <string_view>
#include <vector>

#include "model/editing/edit_result.h"

namespace ze {

class CZeResourceData;
class ZeClass;

// The tree operations on the project's selection: every picked element, or
// the current dialog when none is picked. Several elements change as one
// step of the dialog's history. An element picked together with a group
// that holds it goes with the group. Texts are Shift_JIS.

// Deletes the picked elements after taking their text for the clipboard.
// One element is DeleteElement's case.
EditResult DeleteSelection(CZeResourceData& project);

// The clipboard text of the picked objects and groups in the order they
// were picked: one element's text as CopyElement gives it, several as an
// array of them, which PasteElement takes.
EditResult CopySelection(CZeResourceData& project);
// The same text of the objects and groups of elements, in their order.
EditResult CopyElements(const std::vector<ZeClass*>& elements);

// Pastes text beside or below the current element (PasteElement).
EditResult PasteAtSelection(CZeResourceData& project, std::string_view text, PasteMode mode);

// Moves each picked object or group one place up or down among its
// siblings; a block of picked siblings moves together, and one that cannot
// move holds back those behind it. One element is MoveElement's case.
EditResult MoveSelection(CZeResourceData& project, MoveDirection direction);

// The picked elements without those a picked group holds, in the order
// they were picked.
std::vector<ZeClass*> TopmostPicked(const CZeResourceData& project);

// What a drag that starts on element carries: the topmost picked objects
// and groups when element is one of several picked ones, else element
// alone.
std::vector<ZeClass*> DraggedWith(const CZeResourceData& project, ZeClass& element);

}  // namespace ze
