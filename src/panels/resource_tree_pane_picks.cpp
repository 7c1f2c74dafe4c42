// The tree's part in the selection: a pick of the user's becomes a call of
// the model's selection (alone, Ctrl toggles, Shift takes the siblings
// between, Ctrl+A the current group's children), and the tree's current
// item follows the selection whoever changed it.

#include <QGuiApplication>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QTreeView>

#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/user_text.h"
#include "panels/pick_tree_view.h"
#include "panels/resource_tree_pane.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

void ResourceTreePane::SelectByUser(ZeClass* element, bool control) {
    const QModelIndex index = model_->IndexOf(element);
    if (!index.isValid()) {
        return;
    }
    HandleUserSelection(index, control ? Qt::ControlModifier : Qt::NoModifier);
}

void ResourceTreePane::OnTreeSelectionChanged(const QItemSelection& selected,
                                          const QItemSelection& deselected) {
    if (selectingByProgram_ || model_->IsFollowingChange()) {
        return;
    }
    const Qt::KeyboardModifiers keys = QGuiApplication::keyboardModifiers();
    if (!selected.indexes().isEmpty()) {
        HandleUserSelection(selected.indexes().first(), keys);
    } else if (keys.testFlag(Qt::ControlModifier) && !deselected.indexes().isEmpty()) {
        // Ctrl+click on the current item: the view lets it go, the
        // selection drops it.
        HandleUserSelection(deselected.indexes().first(), keys);
    }
}

void ResourceTreePane::HandleUserSelection(const QModelIndex& index, Qt::KeyboardModifiers keys) {
    ZeClass* element = model_->ElementAt(index);
    if (element == nullptr) {
        ShowMessage(ZE_USER_TEXT("Messages", "エラー: リソースタイプを識別できませんでした."),
                    MessageIcon::kStop);
        return;
    }
    const auto kind = element->GetKind();
    if (kind == ElementKind::kHeaderColumn || kind == ElementKind::kCommand) {
        // They belong to an element; without it they cannot be edited.
        const ZeClass* owner = model_->ElementAt(index.parent());
        if (owner == nullptr) {
            ShowMessage(
                ZE_USER_TEXT("Messages", "エラー: ヘッダのオブジェクトが取得できませんでした。"),
                MessageIcon::kStop);
            return;
        }
    }
    if (keys.testFlag(Qt::ControlModifier)) {
        ToggleSelected(project_, element);
    } else if (keys.testFlag(Qt::ShiftModifier)) {
        SelectRange(project_, element);
    } else {
        Select(project_, element);
    }
    // The tree may show the pick already; it follows the selection anyway.
    FollowSelection(project_.GetSelection());
    if (CZeDialogData* dialog = project_.GetSelection().Dialog();
        dialog != nullptr && kind != ElementKind::kProject) {
        host_.ActivateDialogWindow(*dialog);
    }
}

void ResourceTreePane::SelectChildrenOfCurrent() {
    ZeClass* current = CurrentElement();
    if (current == nullptr) {
        return;
    }
    CObjectDataList* group = nullptr;
    if (current->GetKind() == ElementKind::kGroup) {
        group = static_cast<CObjectDataList*>(current);
    } else if (current->GetKind() == ElementKind::kObject) {
        group = static_cast<CObjectData*>(current)->GetParent();
    } else if (current->GetKind() == ElementKind::kDialog) {
        group = static_cast<CZeDialogData*>(current)->GetRootGroup();
    }
    if (group != nullptr) {
        SelectChildren(project_, *group);
    }
}

void ResourceTreePane::SelectionChanged(const Selection& selection) {
    FollowSelection(selection);
}

void ResourceTreePane::FollowSelection(const Selection& selection) {
    ZeClass* current = selection.Current();
    const QModelIndex index = model_->IndexOf(current);
    if (index != model_->Current() || index != tree_->currentIndex() ||
        !tree_->selectionModel()->isSelected(index)) {
        SelectItemByProgram(index);
    }
    if (current != shownElement_) {
        ShowElement(current);
    }
    RedrawTree();
}

}  // namespace ze::panels
