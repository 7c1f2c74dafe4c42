#include "model/editing/property_edits.h"

#include <string>

#include "model/dialog_data.h"
#include "model/editing/dialog_edit.h"
#include "model/editing/edit_support.h"
#include "model/element_names.h"
#include "model/entry_checks.h"
#include "model/property_change.h"
#include "model/resource_data.h"

namespace ze {

namespace {

// Header columns and commands join the history only once they are about to
// change (copying all of them on every load costs too much); the copy taken
// now is what undo puts back.
void KeepForHistory(CZeDialogData& dialog, ZeClass& element) {
    const auto kind = element.GetKind();
    if (kind == element_kind::kHeaderColumn || kind == element_kind::kCommand) {
        dialog.GetUndoBuffer().KeepBeforeChange(element);
    }
}

// The project root: told as a change of its own, in no history.
EditResult RootChanged(CZeResourceData& project) {
    EditResult result;
    result.changed = true;
    result.change.changed.push_back(&project);
    project.Observers().Notify(
        [&result](ProjectObserver& observer) { observer.ElementsChanged(result.change); });
    return result;
}

// Changes element's items with change (false: it changed nothing) as one
// edit: the project root's as a change of its own, any other element's as a
// step of its dialog's history.
template <typename Change>
EditResult ChangeItems(CZeResourceData& project, CZeDialogData* dialog, ZeClass& element,
                       Change change) {
    if (&element == &project) {
        return change() ? RootChanged(project) : EditResult{};
    }
    CZeDialogData* holder = DialogHolding(project, dialog, element);
    if (holder == nullptr) {
        return {};
    }
    DialogEdit edit(project, *holder);
    KeepForHistory(*holder, element);
    if (!change()) {
        return {};
    }
    return edit.Record(nullptr);
}

// The form the property's value has to have and, for the Name of an object
// or group, that no other element of its dialog has it.
ValueRefusal CheckCommit(const CZeResourceData& project, CZeDialogData* dialog,
                         const ZeClass& element, const CItemData& item, std::string_view value) {
    if (ValueRefusal refusal = CheckEntry(item.GetName(), item.GetKind(), value); refusal.refused) {
        return refusal;
    }
    const auto kind = element.GetKind();
    if (item.GetName() != "Name" ||
        (kind != element_kind::kObject && kind != element_kind::kGroup)) {
        return {};
    }
    const CZeDialogData* holder = DialogHolding(project, dialog, element);
    if (holder != nullptr && FindNameHolder(*holder, element, value) != nullptr) {
        return RefuseTakenName(value);
    }
    return {};
}

}  // namespace

EditResult CommitProperty(CZeResourceData& project, CZeDialogData* dialog, ZeClass* element,
                          std::size_t row, std::string_view value) {
    if (element == nullptr || row >= element->Items().GetItemCount()) {
        return {};
    }
    CItemData& item = element->Items().GetItemData(row);
    if (item.GetValue() == value) {
        return {};
    }
    const ValueRefusal refusal = CheckCommit(project, dialog, *element, item, value);
    if (refusal.refused) {
        EditResult result;
        result.message = refusal.message;
        result.icon = MessageIcon::kWarning;
        return result;
    }
    // Copied: what follows may replace the items.
    const std::string name = item.GetName();
    ZeClass* added = nullptr;
    EditResult result = ChangeItems(project, dialog, *element, [&] {
        item.SetValue(value);
        added = ApplyPropertyChange(project, *element, name).added;
        return true;
    });
    result.select = added;
    if (element->GetKind() == element_kind::kDialog && name == "Name" && result.changed) {
        auto& renamed = static_cast<CZeDialogData&>(*element);
        project.Observers().Notify(
            [&renamed](ProjectObserver& observer) { observer.DialogRenamed(renamed); });
    }
    return result;
}

EditResult AssignImage(CZeResourceData& project, CZeDialogData* dialog, ZeClass* element,
                       std::size_t row, PaneEntryKind source, std::string_view imageName) {
    if (element == nullptr) {
        return {};
    }
    return ChangeItems(project, dialog, *element, [&] {
        return AssignImage(*element, row, static_cast<int>(source), imageName);
    });
}

}  // namespace ze
