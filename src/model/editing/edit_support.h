#pragma once

#include <string>
#include <vector>

#include "model/editing/edit_result.h"
#include "model/user_text.h"

namespace ze {

class CZeDialogData;
class CZeResourceData;
class ZeClass;

// Shared by the edit calls.

// The dialog whose tree holds target: dialog itself when it does, else the
// one found from the target; null when target is in no dialog's tree.
CZeDialogData* DialogHolding(const CZeResourceData& project, CZeDialogData* dialog,
                             const ZeClass& target);

// A result that only tells the user (message a marked UTF-8 text, given
// translated and in Shift_JIS in the result).
EditResult Refusal(const char* utf8, MessageIcon icon);

// Refusals the insert, paste and drop calls share (UTF-8).
inline constexpr const char* kGroupFirstMessage =
    ZE_USER_TEXT("Messages", "GROUPオブジェクトを登録して下さい。");
inline constexpr const char* kRadioOnlyMessage =
    ZE_USER_TEXT("Messages", "ラジオボタンはラジオグループに追加して下さい。");

// Picks what the call's result names (select, or selectAll when it is not
// empty), except inside an EditBatch, whose end picks. Every edit call
// returns through it.
EditResult Selected(CZeResourceData& project, EditResult result);

// The command list of a dialog, object or group; null for other kinds.
std::vector<ZeClass*>* CommandListOf(ZeClass& owner);

}  // namespace ze
