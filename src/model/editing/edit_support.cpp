#include "model/editing/edit_support.h"

#include "model/dialog_data.h"
#include "model/editing/dialog_edit.h"
#include "model/editing/element_lookup.h"
#include "model/editing/selection.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {

CZeDialogData* DialogHolding(const CZeResourceData& project, CZeDialogData* dialog,
                             const ZeClass& target) {
    if (dialog != nullptr && IsInTree(*dialog, target)) {
        return dialog;
    }
    return FindDialogOf(project, target);
}

EditResult Refusal(const char* utf8, MessageIcon icon) {
    EditResult result;
    result.message = UserText("Messages", utf8);
    result.icon = icon;
    return result;
}

EditResult Selected(CZeResourceData& project, EditResult result) {
    if (DialogEdit::InBatch()) {
        return result;
    }
    if (!result.selectAll.empty()) {
        if (CZeDialogData* dialog = FindDialogOf(project, *result.selectAll.front())) {
            SelectElements(project, *dialog, result.selectAll, false);
            return result;
        }
        result.select = result.selectAll.back();
    }
    if (result.select != nullptr) {
        Select(project, result.select);
    }
    return result;
}

std::vector<ZeClass*>* CommandListOf(ZeClass& owner) {
    switch (owner.GetKind()) {
        case ElementKind::kDialog:
            return &static_cast<CZeDialogData&>(owner).GetCommands();
        case ElementKind::kObject:
        case ElementKind::kGroup:
            return &static_cast<CObjectData&>(owner).GetCommands();
        default:
            return nullptr;
    }
}

}  // namespace ze
