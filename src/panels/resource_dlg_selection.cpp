// The panel's answer to the user picking a tree item: the current item and
// dialog, the page of a PAGE group, the selected flags of the dialog and its
// editing window follow the pick.

#include <QGuiApplication>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QTreeView>

#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/user_text.h"
#include "panels/resource_dlg.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_model.h"
#include "panels/selected_elements.h"

namespace ze::panels {

void CResourceDlg::SelectByUser(ZeClass* element, bool control) {
    const QModelIndex index = model_->IndexOf(element);
    if (!index.isValid()) {
        return;
    }
    const bool before = selectingByProgram_;
    selectingByProgram_ = true;
    tree_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    selectingByProgram_ = before;
    HandleUserSelection(index, control);
}

void CResourceDlg::OnTreeSelectionChanged(const QItemSelection& selected) {
    if (selectingByProgram_ || model_->IsFollowingChange() || selected.indexes().isEmpty()) {
        return;
    }
    const bool control = QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier);
    HandleUserSelection(selected.indexes().first(), control);
}

void CResourceDlg::HandleUserSelection(const QModelIndex& index, bool control) {
    ZeClass* element = model_->ElementAt(index);
    if (element == nullptr) {
        ShowMessage(ZE_USER_TEXT("Messages", "エラー: リソースタイプを識別できませんでした."),
                    MessageIcon::kStop);
        return;
    }
    SelectItemByProgram(index);
    ShowElement(element);

    switch (element->GetKind()) {
        case element_kind::kDialog: {
            auto& dialog = static_cast<CZeDialogData&>(*element);
            if (CObjectDataList* root = dialog.GetRootGroup()) {
                root->ClearSelection();
            }
            currentDialog_ = &dialog;
            host_.ActivateDialogWindow(dialog);
            break;
        }
        case element_kind::kHeaderColumn:
        case element_kind::kCommand: {
            // They are chosen through the element they belong to.
            ZeClass* owner = model_->ElementAt(index.parent());
            if (owner == nullptr) {
                ShowMessage(ZE_USER_TEXT("Messages",
                                         "エラー: ヘッダのオブジェクトが取得できませんでした。"),
                            MessageIcon::kStop);
                break;
            }
            const auto kind = owner->GetKind();
            if (kind == element_kind::kObject || kind == element_kind::kGroup) {
                SelectObjectOrGroup(index.parent(), *owner, control);
            }
            break;
        }
        case element_kind::kObject:
        case element_kind::kGroup:
            SelectObjectOrGroup(index, *element, control);
            break;
        default:
            break;
    }

    host_.RedrawViews();
    RedrawTree();
}

void CResourceDlg::SelectObjectOrGroup(const QModelIndex& index, ZeClass& element, bool control) {
    // The nearest dialog item above, however deep the groups are nested.
    const auto isDialog = [this](const QModelIndex& at) {
        const ZeClass* above = model_->ElementAt(at);
        return above != nullptr && above->GetKind() == element_kind::kDialog;
    };
    QModelIndex dialogIndex = index.parent();
    while (dialogIndex.isValid() && !isDialog(dialogIndex)) {
        dialogIndex = dialogIndex.parent();
    }
    if (!dialogIndex.isValid()) {
        return;
    }
    auto& dialog = static_cast<CZeDialogData&>(*model_->ElementAt(dialogIndex));
    currentDialog_ = &dialog;

    auto& object = static_cast<CObjectData&>(element);
    CObjectDataList* parent = object.GetParent();
    if (object.IsGroup() && parent != nullptr && parent->GetItem("Layout") == "PAGE") {
        dialog.SetCurrentPage(parent->IndexOf(&object));
    }

    CObjectDataList* root = dialog.GetRootGroup();
    if (!control && root != nullptr) {
        root->ClearSelection();
    }
    if (object.IsSelected()) {
        object.SetSelected(false);
        CObjectData* left = root != nullptr ? FirstSelectedInTreeOrder(*root) : nullptr;
        const QModelIndex leftIndex = left != nullptr ? model_->IndexOf(left) : dialogIndex;
        SelectItemByProgram(leftIndex.isValid() ? leftIndex : dialogIndex);
    } else {
        object.SetSelected(true);
    }
    host_.ActivateDialogWindow(dialog);
}

}  // namespace ze::panels
