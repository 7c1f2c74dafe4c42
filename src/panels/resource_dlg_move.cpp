// Moving the current element one place up or down among its siblings: a
// dialog in the dialog list, an object or group in its parent group, a
// header column or command in its owner's list.

#include <QModelIndex>
#include <utility>
#include <vector>

#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "panels/resource_dlg.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

namespace {

// Exchanges list[at] with its neighbour before (up) or after it; false when
// there is none or element is not in the list.
template <typename T>
bool SwapInList(std::vector<T*>& list, const ZeClass* element, bool up) {
    std::size_t at = 0;
    while (at < list.size() && list[at] != element) {
        ++at;
    }
    if (at == list.size()) {
        return false;
    }
    if (up ? at == 0 : at + 1 == list.size()) {
        return false;
    }
    const std::size_t other = up ? at - 1 : at + 1;
    std::swap(list[at], list[other]);
    return true;
}

}  // namespace

void CResourceDlg::MoveUp() {
    Move(true);
}

void CResourceDlg::MoveDown() {
    Move(false);
}

bool CResourceDlg::Move(bool up) {
    const QModelIndex index = model_->Current();
    ZeClass* element = model_->ElementAt(index);
    if (element == nullptr) {
        return false;
    }
    // The item that ends up below the other: the element's own when moving
    // down, its previous sibling's when moving up.
    const QModelIndex sibling = index.siblingAtRow(index.row() - 1);
    const QModelIndex lower = up ? sibling : index;
    // Taken now: a rebuilt subtree leaves index behind.
    CZeDialogData* dialog = DialogAt(index);

    switch (element->GetKind()) {
        case element_kind::kDialog: {
            CZeDialogDataList& dialogs = project_.GetDialogs();
            const int at = dialogs.IndexOf(static_cast<CZeDialogData*>(element));
            if (at < 0 || (up ? at == 0 : static_cast<std::size_t>(at) + 1 == dialogs.GetCount())) {
                return false;
            }
            const auto position = static_cast<std::size_t>(at);
            dialogs.Swap(position, up ? position - 1 : position + 1);
            ChangeItems([&] { model_->MoveBelowNextSibling(lower); });
            dialog = nullptr;
            break;
        }
        case element_kind::kObject:
        case element_kind::kGroup: {
            CObjectDataList* parent = static_cast<CObjectData*>(element)->GetParent();
            if (parent == nullptr || !SwapInList(parent->GetChildren(), element, up)) {
                return false;
            }
            ChangeItems([&] { model_->MoveBelowNextSibling(lower); });
            break;
        }
        case element_kind::kHeaderColumn: {
            ZeClass* owner = model_->ElementAt(index.parent());
            if (owner == nullptr) {
                ShowMessage("エラー: ヘッダのオブジェクトが取得できませんでした。",
                            MessageIcon::kStop);
                return false;
            }
            if (owner->GetKind() != element_kind::kObject ||
                !SwapInList(static_cast<CObjectData*>(owner)->GetHeaders(), element, up)) {
                return false;
            }
            // The labels carry the positions.
            RebuildItems(*owner);
            break;
        }
        case element_kind::kCommand: {
            ZeClass* owner = model_->ElementAt(index.parent());
            if (owner == nullptr) {
                ShowMessage("エラー: ヘッダのオブジェクトが取得できませんでした。",
                            MessageIcon::kStop);
                return false;
            }
            std::vector<ZeClass*>* commands = nullptr;
            if (owner->GetKind() == element_kind::kDialog) {
                commands = &static_cast<CZeDialogData*>(owner)->GetCommands();
            } else if (owner->GetKind() == element_kind::kObject ||
                       owner->GetKind() == element_kind::kGroup) {
                commands = &static_cast<CObjectData*>(owner)->GetCommands();
            }
            if (commands == nullptr || !SwapInList(*commands, element, up)) {
                return false;
            }
            ChangeItems([&] { model_->MoveBelowNextSibling(lower); });
            break;
        }
        default:
            return false;
    }

    SelectAfterOperation(element);
    // The dialog list is in no history; a dialog's own tree is.
    RecordStep(dialog);
    return true;
}

}  // namespace ze::panels
