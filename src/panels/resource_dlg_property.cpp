// The tree's side of a committed property value: labels, new header columns
// and commands, replaced item lists.

#include <QModelIndex>

#include "model/dialog_data.h"
#include "model/property_change.h"
#include "panels/resource_dlg.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

void CResourceDlg::OnPropertyChanged(ZeClass& element, std::string_view name) {
    const PropertyChangeResult result = ApplyPropertyChange(project_, element, name);
    // Also when the change is not one that renames: a label that is out of
    // date is never wanted.
    model_->RenewLabel(element);
    if (result.added != nullptr) {
        RebuildItems(element);
        SelectAfterOperation(result.added);
    }
    if (result.itemsReplaced) {
        emit ShownItemsChanged();
    }
    RecordStep(DialogOf(element));
    host_.RedrawViews();
    RedrawTree();
}

CZeDialogData* CResourceDlg::DialogOf(ZeClass& element) const {
    if (element.GetKind() == element_kind::kDialog) {
        return static_cast<CZeDialogData*>(&element);
    }
    return DialogAt(model_->IndexOf(&element));
}

}  // namespace ze::panels
