// What the tree keeps besides its items follows the model's change
// notification: the current item, the element shown and the open nodes.

#include <QTreeView>
#include <algorithm>

#include "model/dialog_data.h"
#include "model/editing/selection.h"
#include "model/resource_data.h"
#include "panels/pick_tree_view.h"
#include "panels/resource_tree_pane.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

namespace {

bool Lists(const std::vector<ZeClass*>& list, const ZeClass* element) {
    return element != nullptr && std::find(list.begin(), list.end(), element) != list.end();
}

bool BelongsTo(const CZeDialogData& dialog, const ZeClass* element) {
    return element != nullptr && (element == &dialog || dialog.GetElementStore().Owns(element));
}

}  // namespace

void ResourceTreePane::ElementsChanged(const ElementChange& change) {
    // The element shown went with the change.
    if (Lists(change.removed, shownElement_)) {
        shownElement_ = nullptr;
    }
    // New items, and items whose element was opened by the edit, open as
    // their elements' flags say.
    if (change.dialog != nullptr) {
        ExpandByFlags(model_->IndexOf(change.dialog));
    }
    // Rows that moved or went may have taken the view's current item with
    // them; it goes back to the selection's.
    const QModelIndex current = model_->IndexOf(project_.GetSelection().Current());
    if (current != tree_->currentIndex() || !tree_->selectionModel()->isSelected(current)) {
        SelectItemByProgram(current);
    }
    RedrawTree();
}

void ResourceTreePane::DialogAdded(CZeDialogData& dialog) {
    ExpandByFlags(model_->IndexOf(&dialog));
    RedrawTree();
}

void ResourceTreePane::DialogRemoving(CZeDialogData& dialog) {
    // The selection has let the dialog go: its neighbour comes forward while
    // the dialog is still there, so its window is the active one when the
    // dialog's windows close.
    if (project_.GetSelection().Dialog() == nullptr) {
        const CZeDialogDataList& dialogs = project_.GetDialogs();
        const int at = dialogs.IndexOf(&dialog);
        if (at >= 0 && dialogs.GetCount() > 1) {
            const auto position = static_cast<std::size_t>(at);
            CZeDialogData* neighbour =
                dialogs.GetDialog(position + 1 < dialogs.GetCount() ? position + 1 : position - 1);
            // Not while the whole tree is being let go.
            if (model_->IndexOf(neighbour).isValid()) {
                Select(project_, neighbour);
                host_.ActivateDialogWindow(*neighbour);
            }
        }
    }
    if (BelongsTo(dialog, shownElement_)) {
        ShowElement(nullptr);
    }
    RedrawTree();
}

void ResourceTreePane::ProjectEmptied() {
    ShowElement(nullptr);
    RedrawTree();
}

}  // namespace ze::panels
