#pragma once

#include <string>
#include <vector>

#include "model/editing/project_observer.h"
#include "model/message_sink.h"

namespace ze {

class ZeClass;

// Where a pasted or inserted element goes beside the current element. The
// numbers are the ones the insert buttons have always used.
enum class PasteMode { kAfter = 0, kFirstChild = 1, kLastChild = 2 };

enum class MoveDirection { kUp, kDown };

// What an entry of the image/log pane is. The numbers are the pane's own.
enum class PaneEntryKind { kInsertType = 0, kBuiltInImage = 1, kUserImage = 2, kClipboard = 3 };

// What one call of the edit API did and what the user is to see next.
struct EditResult {
    // The project changed (the observers have been told).
    bool changed = false;
    // Steps recorded in the dialog's history: 1 for a change inside a dialog,
    // 0 for one that changed nothing or is in no history (the dialog list,
    // the project root).
    int stepsRecorded = 0;
    // What the call picked (it is the project's selection now): one element,
    // or several (the last one current). Nothing leaves the selection as it
    // was.
    ZeClass* select = nullptr;
    std::vector<ZeClass*> selectAll;
    // A message for a message box (Shift_JIS); empty for none.
    std::string message;
    MessageIcon icon = MessageIcon::kNone;
    // A text for the status bar (Shift_JIS); empty for none.
    std::string statusText;
    // Copy, and delete before it deletes: the element's resource text as the
    // writer writes it; empty when the element has none.
    std::string clipboardText;
    // What the observers were told about the elements of the dialog.
    ElementChange change;
};

}  // namespace ze
