#include "model/editing/dialog_edit.h"

#include "model/dialog_data.h"
#include "model/editing/element_lookup.h"
#include "model/editing/selection.h"
#include "model/resource_data.h"
#include "model/undo_buffer.h"

namespace ze {

namespace {

// The dialog of the batch that is open; edits run on the GUI thread only.
CZeDialogData* openBatch = nullptr;

}  // namespace

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

void DialogEdit::Record(EditResult& result) {
    if (nested_) {
        result.changed = true;
        return;
    }
    const bool recorded = dialog_.RecordUndoStepIfChanged();
    UndoBuffer& history = dialog_.GetUndoBuffer();
    UndoRecord* record =
        recorded ? &history.GetRecord(static_cast<std::size_t>(history.GetIndex() - 1)) : nullptr;
    if (record != nullptr) {
        record->SetSelectionBefore(selectionBefore_);
    }
    Compare(record, result.change);
    result.stepsRecorded = recorded ? 1 : 0;
    result.changed = recorded || !result.change.IsEmpty();
    if (result.changed) {
        Tell(result.change, recorded);
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
    : edit_(project, dialog), outer_(openBatch) {
    openBatch = &dialog;
}

EditBatch::~EditBatch() {
    if (open_) {
        openBatch = outer_;
    }
}

void EditBatch::Finish(EditResult& result) {
    openBatch = outer_;
    open_ = false;
    edit_.Record(result);
}

}  // namespace ze
