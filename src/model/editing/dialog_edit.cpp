#include "model/editing/dialog_edit.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "model/dialog_data.h"
#include "model/editing/element_lookup.h"
#include "model/editing/selection.h"
#include "model/editing/step_names.h"
#include "model/resource_data.h"
#include "model/undo_buffer.h"

namespace ze {

namespace {

// The dialog of the batch that is open, and the batch's edit, which takes
// the names of the edits inside it; edits run on the GUI thread only.
CZeDialogData* openBatch = nullptr;
DialogEdit* openBatchEdit = nullptr;
// Set by the outermost StepKindScope.
std::optional<StepKind> scopeKind;

// The links of the records from position on.
std::vector<StepLink> LinksFrom(const UndoBuffer& history, std::size_t position) {
    std::vector<StepLink> links;
    for (std::size_t i = position; i < history.GetRecordCount(); ++i) {
        if (history.GetRecord(i).GetLink().IsLinked()) {
            links.push_back(history.GetRecord(i).GetLink());
        }
    }
    return links;
}

// A new step took the place of steps redo could reach: the steps of other
// dialogs made together with them go too (with the steps after them, which
// redo reaches only through them), else redoing one side alone would put an
// element in two dialogs or in none.
void DiscardLinkedRedo(CZeResourceData& project, std::vector<StepLink> links) {
    while (!links.empty()) {
        const StepLink link = links.back();
        links.pop_back();
        CZeDialogData* partner = FindDialogBySerial(project, link.dialog);
        if (partner == nullptr) {
            continue;
        }
        UndoBuffer& history = partner->GetUndoBuffer();
        const int at = history.PositionOf(link.record);
        if (at < 0) {
            continue;
        }
        const auto position = static_cast<std::size_t>(at);
        const std::vector<StepLink> more = LinksFrom(history, position);
        if (!history.DiscardRedoFrom(position)) {
            continue;
        }
        partner->GetElementStore().Collect();
        links.insert(links.end(), more.begin(), more.end());
        project.Observers().Notify(
            [partner](ProjectObserver& observer) { observer.HistoryMoved(*partner); });
    }
}

}  // namespace

StepKindScope::StepKindScope(StepKind kind) : owns_(!scopeKind.has_value()) {
    if (owns_) {
        scopeKind = kind;
    }
}

StepKindScope::~StepKindScope() {
    if (owns_) {
        scopeKind.reset();
    }
}

DialogEdit::DialogEdit(CZeResourceData& project, CZeDialogData& dialog)
    : project_(project), dialog_(dialog), nested_(openBatch == &dialog) {
    if (nested_) {
        return;
    }
    before_ = TreeElements(dialog);
    // The history's first step is the tree before its first change.
    dialog.KeepFirstStep();
    beforeSet_.insert(before_.begin(), before_.end());
    if (project.GetSelection().Dialog() == &dialog) {
        selectionBefore_ = project.GetSelection().Serials();
    }
}

bool DialogEdit::InBatch() {
    return openBatch != nullptr;
}

void DialogEdit::SetName(StepName name) {
    name_ = std::move(name);
}

StepName DialogEdit::FinalName() const {
    StepName name = name_ ? *name_ : MergeStepNames(nestedNames_);
    if (scopeKind) {
        name.kind = *scopeKind;
    }
    return name;
}

void DialogEdit::Record(EditResult& result) {
    if (nested_) {
        if (openBatchEdit != nullptr && (name_ || !nestedNames_.empty())) {
            openBatchEdit->nestedNames_.push_back(name_ ? *name_ : MergeStepNames(nestedNames_));
        }
        result.changed = true;
        return;
    }
    UndoBuffer& history = dialog_.GetUndoBuffer();
    const std::vector<StepLink> redoLinks =
        LinksFrom(history, static_cast<std::size_t>(std::max(history.GetIndex(), 0)));
    const bool recorded = dialog_.RecordUndoStepIfChanged();
    UndoRecord* record =
        recorded ? &history.GetRecord(static_cast<std::size_t>(history.GetIndex() - 1)) : nullptr;
    if (record != nullptr) {
        record->SetSelectionBefore(selectionBefore_);
        record->SetName(FinalName());
    }
    Compare(record, result.change);
    result.stepsRecorded = recorded ? 1 : 0;
    result.changed = recorded || !result.change.IsEmpty();
    if (result.changed) {
        Tell(result.change, recorded);
    }
    if (recorded && !redoLinks.empty()) {
        DiscardLinkedRedo(project_, redoLinks);
    }
}

EditResult DialogEdit::Record(ZeClass* select) {
    EditResult result;
    result.select = select;
    Record(result);
    return result;
}

void DialogEdit::Stepped(const UndoRecord& record, EditResult& result) {
    Compare(&record, result.change);
    result.changed = true;
    Tell(result.change, true);
}

void DialogEdit::Compare(const UndoRecord* record, ElementChange& change) const {
    change = ElementChange{};
    change.dialog = &dialog_;
    const std::vector<ZeClass*> after = TreeElements(dialog_);
    const std::unordered_set<const ZeClass*> afterSet(after.begin(), after.end());
    for (ZeClass* element : after) {
        if (!beforeSet_.contains(element)) {
            change.added.push_back(element);
        }
    }
    for (ZeClass* element : before_) {
        if (!afterSet.contains(element)) {
            change.removed.push_back(element);
        }
    }
    if (record == nullptr) {
        return;
    }
    // The elements the step backed up are the ones whose state it holds:
    // each one still in the tree and not new there has changed.
    const UndoBuffer& history = dialog_.GetUndoBuffer();
    std::unordered_set<const ZeClass*> seen;
    for (const auto& backup : record->Backups()) {
        if (backup->GetAction() == UndoAction::kOriginal) {
            continue;
        }
        ZeClass* live = backup->GetSerial() == dialog_.GetSerial()
                            ? &dialog_
                            : history.FindLiveElement(backup->GetSerial(), -1);
        if (live == nullptr || !seen.insert(live).second) {
            continue;
        }
        if (live == &dialog_ || (afterSet.contains(live) && beforeSet_.contains(live))) {
            change.changed.push_back(live);
        }
    }
}

void DialogEdit::Tell(const ElementChange& change, bool historyMoved) const {
    project_.Observers().Notify(
        [&change](ProjectObserver& observer) { observer.ElementsChanged(change); });
    if (historyMoved) {
        project_.Observers().Notify(
            [this](ProjectObserver& observer) { observer.HistoryMoved(dialog_); });
    }
}

EditBatch::EditBatch(CZeResourceData& project, CZeDialogData& dialog)
    : edit_(project, dialog), outer_(openBatch), outerEdit_(openBatchEdit) {
    openBatch = &dialog;
    openBatchEdit = &edit_;
}

EditBatch::~EditBatch() {
    if (open_) {
        openBatch = outer_;
        openBatchEdit = outerEdit_;
    }
}

void EditBatch::Finish(EditResult& result) {
    openBatch = outer_;
    openBatchEdit = outerEdit_;
    open_ = false;
    edit_.Record(result);
}

}  // namespace ze
