// Putting the selected elements of a dialog into a new group, and dissolving
// a group into its parent.

#include <QModelIndex>
#include <QTreeView>
#include <algorithm>
#include <vector>

#include "model/dialog_data.h"
#include "model/object_data.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

void CResourceDlg::GroupSelected() {
    const QModelIndex index = model_->Current();
    ZeClass* element = model_->ElementAt(index);
    if (element == nullptr || (element->GetKind() != element_kind::kObject &&
                               element->GetKind() != element_kind::kGroup)) {
        return;
    }
    auto& chosen = static_cast<CObjectData&>(*element);
    // The selected elements are moved within the chosen element's own
    // dialog: its store owns the new group.
    CZeDialogData* dialog = DialogAt(index);
    if (chosen.GetParent() == nullptr || currentDialog_ == nullptr || dialog == nullptr ||
        dialog->GetRootGroup() == nullptr) {
        return;
    }
    CObjectDataList* group = ::ze::GroupSelected(*dialog->GetRootGroup(), chosen);
    if (group == nullptr) {
        return;
    }
    AfterRegrouping(*dialog, *group);
}

void CResourceDlg::UngroupCurrent() {
    const QModelIndex index = model_->Current();
    ZeClass* element = model_->ElementAt(index);
    if (element == nullptr || element->GetKind() != element_kind::kGroup) {
        return;
    }
    auto& group = static_cast<CObjectDataList&>(*element);
    CObjectDataList* parent = group.GetParent();
    CZeDialogData* dialog = DialogAt(index);
    if (parent == nullptr || dialog == nullptr) {
        return;
    }
    const auto& siblings = parent->GetChildren();
    const auto selected =
        std::count_if(siblings.begin(), siblings.end(),
                      [](const CObjectData* child) { return child->IsSelected(); });
    if (selected != 1) {
        return;
    }
    const std::vector<CObjectData*> former = group.GetChildren();
    CObjectData* first = ::ze::Ungroup(group);
    if (first == nullptr) {
        return;
    }
    // The dissolved group is out of the tree, so the step below does not
    // record it. Undoing the step puts it back into its parent as it is:
    // with an empty list its children would be lost from the tree.
    group.GetChildren() = former;
    AfterRegrouping(*dialog, *first);
}

void CResourceDlg::AfterRegrouping(CZeDialogData& dialog, ZeClass& selected) {
    RebuildItems(dialog);
    const QModelIndex dialogIndex = model_->IndexOf(&dialog);
    SelectItemByProgram(dialogIndex);
    tree_->scrollTo(dialogIndex, QAbstractItemView::PositionAtTop);
    SelectAfterOperation(&selected);
    RecordStep(&dialog);
}

}  // namespace ze::panels
