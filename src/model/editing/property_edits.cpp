#include "model/editing/property_edits.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/dialog_edit.h"
#include "model/editing/edit_support.h"
#include "model/editing/selection.h"
#include "model/editing/step_names.h"
#include "model/element_names.h"
#include "model/entry_checks.h"
#include "model/property_change.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze {

namespace {

// Header columns and commands join the history only once they are about to
// change (copying all of them on every load costs too much); the copy taken
// now is what undo puts back.
void KeepForHistory(CZeDialogData& dialog, ZeClass& element) {
    const auto kind = element.GetKind();
    if (kind == ElementKind::kHeaderColumn || kind == ElementKind::kCommand) {
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
// step of its dialog's history, of kind done to property.
template <typename Change>
EditResult ChangeItems(CZeResourceData& project, CZeDialogData* dialog, ZeClass& element,
                       StepKind kind, const std::string& property, Change change) {
    if (&element == &project) {
        return change() ? RootChanged(project) : EditResult{};
    }
    CZeDialogData* holder = DialogHolding(project, dialog, element);
    if (holder == nullptr) {
        return {};
    }
    DialogEdit edit(project, *holder);
    KeepForHistory(*holder, element);
    // Named before the change: a new Name is not what the user changed.
    edit.SetName(NameStep(kind, element, property));
    if (!change()) {
        return {};
    }
    return edit.Record(nullptr);
}

// Whether no other element of element's dialog has value as its Name, for
// the Name of an object or group (the one check that depends on the
// element, not only on the value).
ValueRefusal CheckUniqueName(const CZeResourceData& project, CZeDialogData* dialog,
                             const ZeClass& element, const CItemData& item,
                             std::string_view value) {
    const auto kind = element.GetKind();
    if (item.GetName() != prop::kName ||
        (kind != ElementKind::kObject && kind != ElementKind::kGroup)) {
        return {};
    }
    const CZeDialogData* holder = DialogHolding(project, dialog, element);
    if (holder != nullptr && FindNameHolder(*holder, element, value) != nullptr) {
        return RefuseTakenName(value);
    }
    return {};
}

// The form the property's value has to have and, for the Name of an object
// or group, that no other element of its dialog has it.
ValueRefusal CheckCommit(const CZeResourceData& project, CZeDialogData* dialog,
                         const ZeClass& element, const CItemData& item, std::string_view value) {
    if (ValueRefusal refusal = CheckEntry(item.GetName(), item.GetKind(), value); refusal.refused) {
        return refusal;
    }
    return CheckUniqueName(project, dialog, element, item, value);
}

EditResult Refused(const ValueRefusal& refusal) {
    EditResult result;
    result.message = refusal.message;
    result.icon = MessageIcon::kWarning;
    return result;
}

// Stores value, already checked, as element's item at row with all that
// follows from it.
EditResult StoreChecked(CZeResourceData& project, CZeDialogData* dialog, ZeClass& element,
                        CItemData& item, std::string_view value) {
    // Copied: what follows may replace the items.
    const std::string name = item.GetName();
    ZeClass* added = nullptr;
    EditResult result = ChangeItems(project, dialog, element, StepKind::kProperty, name, [&] {
        item.SetValue(value);
        added = ApplyPropertyChange(project, element, name).added;
        return true;
    });
    result.select = added;
    if (element.GetKind() == ElementKind::kDialog && name == prop::kName && result.changed) {
        auto& renamed = static_cast<CZeDialogData&>(element);
        project.Observers().Notify(
            [&renamed](ProjectObserver& observer) { observer.DialogRenamed(renamed); });
    }
    return result;
}

}  // namespace

static EditResult CommitPropertyUnpicked(CZeResourceData& project, CZeDialogData* dialog,
                                         ZeClass* element, std::size_t row,
                                         std::string_view value) {
    if (element == nullptr || row >= element->Items().GetItemCount()) {
        return {};
    }
    CItemData& item = element->Items().GetItemData(row);
    if (item.GetValue() == value) {
        return {};
    }
    if (const ValueRefusal refusal = CheckCommit(project, dialog, *element, item, value);
        refusal.refused) {
        return Refused(refusal);
    }
    return StoreChecked(project, dialog, *element, item, value);
}

static EditResult AssignImageUnpicked(CZeResourceData& project, CZeDialogData* dialog, ZeClass* element, std::size_t row, PaneEntryKind source, std::string_view imageName) {
    if (element == nullptr || row >= element->Items().GetItemCount()) {
        return {};
    }
    const std::string property = element->Items().GetItemData(row).GetName();
    return ChangeItems(project, dialog, *element, StepKind::kImage, property, [&] {
        return AssignImage(*element, row, static_cast<int>(source), imageName);
    });
}

EditResult CommitProperty(CZeResourceData& project, CZeDialogData* dialog, ZeClass* element, std::size_t row, std::string_view value) {
    return Selected(project, CommitPropertyUnpicked(project, dialog, element, row, value));
}

EditResult AssignImage(CZeResourceData& project, CZeDialogData* dialog, ZeClass* element, std::size_t row, PaneEntryKind source, std::string_view imageName) {
    return Selected(project, AssignImageUnpicked(project, dialog, element, row, source, imageName));
}

std::optional<std::size_t> RowNamed(const ZeClass& element, std::string_view name) {
    const CItemList& items = element.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        if (items.GetItemData(row).GetName() == name) {
            return row;
        }
    }
    return std::nullopt;
}

std::vector<SharedProperty> SharedProperties(const std::vector<ZeClass*>& elements,
                                             const ZeClass& current) {
    std::vector<SharedProperty> shared;
    const CItemList& items = current.Items();
    for (std::size_t row = 0; row < items.GetItemCount(); ++row) {
        SharedProperty property;
        property.name = items.GetItemData(row).GetName();
        property.row = row;
        property.values.emplace_back(items.GetItemData(row).GetValue());
        bool everywhere = true;
        for (const ZeClass* element : elements) {
            if (element == &current) {
                continue;
            }
            const std::optional<std::size_t> at = RowNamed(*element, property.name);
            if (!at) {
                everywhere = false;
                break;
            }
            const std::string_view value = element->Items().GetItemData(*at).GetValue();
            if (std::find(property.values.begin(), property.values.end(), value) ==
                property.values.end()) {
                property.values.emplace_back(value);
            }
        }
        if (everywhere) {
            shared.push_back(std::move(property));
        }
    }
    return shared;
}

namespace {

// The picked elements a value goes to: the picked ones, or the current one
// (a dialog, nothing being picked in it).
std::vector<ZeClass*> Targets(const Selection& selection) {
    if (!selection.Elements().empty()) {
        return selection.Elements();
    }
    if (ZeClass* current = selection.Current()) {
        return {current};
    }
    return {};
}

// What a refusal for one of several elements says: which one, then why.
EditResult RefusedFor(const ZeClass& element, const std::string& message) {
    std::string name = element.GetItem(prop::kName);
    if (name.empty()) {
        name = element.GetItem(prop::kType);
    }
    EditResult result;
    result.message = name.empty() ? message : name + ": " + message;
    result.icon = MessageIcon::kWarning;
    return result;
}

// Runs edit for each target as one step of the selection's dialog. The
// targets stay picked.
template <typename Edit>
EditResult EditEach(CZeResourceData& project, const std::vector<ZeClass*>& targets, Edit edit) {
    CZeDialogData* dialog = project.GetSelection().Dialog();
    if (dialog == nullptr) {
        return {};
    }
    EditBatch batch(project, *dialog);
    for (ZeClass* target : targets) {
        edit(*target);
    }
    EditResult result;
    batch.Finish(result);
    result.selectAll = targets;
    return result;
}

}  // namespace

EditResult CommitPropertyToSelection(CZeResourceData& project, std::string_view name,
                                     std::string_view value) {
    const Selection& selection = project.GetSelection();
    const std::vector<ZeClass*> picked = Targets(selection);
    std::vector<ZeClass*> targets = picked;
    if (targets.size() == 1) {
        const std::optional<std::size_t> row = RowNamed(*targets.front(), name);
        return row ? CommitProperty(project, selection.Dialog(), targets.front(), *row, value)
                   : EditResult{};
    }
    std::erase_if(targets, [&](const ZeClass* element) {
        const std::optional<std::size_t> row = RowNamed(*element, name);
        return !row || element->Items().GetItemData(*row).GetValue() == value;
    });
    if (targets.empty()) {
        return {};
    }
    // One Name on several elements of a dialog cannot be unique.
    if (name == prop::kName && targets.size() > 1) {
        return RefusedFor(*targets[1], RefuseTakenName(value).message);
    }
    CZeDialogData* dialog = selection.Dialog();
    if (targets.size() == 1) {
        // Its Name may have to be unique: the whole check, for that element.
        ZeClass& only = *targets.front();
        const CItemData& item = only.Items().GetItemData(*RowNamed(only, name));
        if (const ValueRefusal refusal = CheckCommit(project, dialog, only, item, value);
            refusal.refused) {
            return RefusedFor(only, refusal.message);
        }
    } else {
        // The value is checked against the property, not the element: once,
        // and refused for all alike. Elements of different types may give
        // the property different kinds, each of which is checked.
        std::vector<ItemKind> checked;
        for (const ZeClass* element : targets) {
            const CItemData& item = element->Items().GetItemData(*RowNamed(*element, name));
            if (std::find(checked.begin(), checked.end(), item.GetKind()) != checked.end()) {
                continue;
            }
            checked.push_back(item.GetKind());
            if (const ValueRefusal refusal = CheckEntry(name, item.GetKind(), value);
                refusal.refused) {
                return Refused(refusal);
            }
        }
    }
    EditResult result = EditEach(project, targets, [&](ZeClass& element) {
        StoreChecked(project, dialog, element,
                     element.Items().GetItemData(*RowNamed(element, name)), value);
    });
    // Those that had the value already stay picked too.
    result.selectAll = picked;
    return Selected(project, std::move(result));
}

EditResult AssignImageToSelection(CZeResourceData& project, std::string_view name,
                                  PaneEntryKind source, std::string_view imageName) {
    const Selection& selection = project.GetSelection();
    const std::vector<ZeClass*> targets = Targets(selection);
    if (targets.size() == 1) {
        const std::optional<std::size_t> row = RowNamed(*targets.front(), name);
        return row ? AssignImage(project, selection.Dialog(), targets.front(), *row, source,
                                 imageName)
                   : EditResult{};
    }
    return Selected(project, EditEach(project, targets, [&](ZeClass& element) {
                        if (const std::optional<std::size_t> row = RowNamed(element, name)) {
                            AssignImage(project, selection.Dialog(), &element, *row, source,
                                        imageName);
                        }
                    }));
}

}  // namespace ze
