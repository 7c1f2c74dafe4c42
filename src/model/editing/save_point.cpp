#include "model/editing/save_point.h"

#include "model/dialog_data.h"
#include "model/resource_data.h"

namespace ze {

SavePoint::SavePoint(CZeResourceData& project) : project_(project) {
    project_.Observers().Add(this);
    Mark();
}

SavePoint::~SavePoint() {
    project_.Observers().Remove(this);
}

void SavePoint::Mark() {
    savedSteps_.clear();
    const CZeDialogDataList& dialogs = project_.GetDialogs();
    savedDialogCount_ = dialogs.GetCount();
    for (std::size_t i = 0; i < savedDialogCount_; ++i) {
        const CZeDialogData* dialog = dialogs.GetDialog(i);
        const UndoBuffer& history = dialog->GetUndoBuffer();
        savedSteps_[dialog] = history.CurrentStepId();
        // The history shows which of its steps is the saved state.
        history.SetSavedStepId(history.CurrentStepId());
    }
    unrecorded_ = false;
    Update();
}

void SavePoint::Touch() {
    Unrecorded();
}

void SavePoint::ElementsChanged(const ElementChange& change) {
    // The project root keeps no history.
    if (change.dialog == nullptr) {
        Unrecorded();
    } else {
        ++revision_;
        Update();
    }
}

void SavePoint::DialogAdded(CZeDialogData& /*dialog*/) {
    Unrecorded();
}

void SavePoint::DialogRemoving(CZeDialogData& dialog) {
    savedSteps_.erase(&dialog);
    Unrecorded();
}

void SavePoint::ProjectEmptied() {
    savedSteps_.clear();
    Unrecorded();
}

void SavePoint::DialogMoved(CZeDialogData& /*dialog*/, std::size_t /*from*/, std::size_t /*to*/) {
    Unrecorded();
}

void SavePoint::HistoryMoved(CZeDialogData& /*dialog*/) {
    ++revision_;
    Update();
}

void SavePoint::Unrecorded() {
    unrecorded_ = true;
    ++revision_;
    Update();
}

void SavePoint::Update() {
    const bool modified = DiffersFromSave();
    if (modified == modified_) {
        return;
    }
    modified_ = modified;
    if (listener_) {
        listener_(modified_);
    }
}

bool SavePoint::DiffersFromSave() const {
    if (unrecorded_) {
        return true;
    }
    const CZeDialogDataList& dialogs = project_.GetDialogs();
    if (dialogs.GetCount() < savedDialogCount_) {
        return true;
    }
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        const CZeDialogData* dialog = dialogs.GetDialog(i);
        const UndoBuffer& history = dialog->GetUndoBuffer();
        const auto saved = savedSteps_.find(dialog);
        // A dialog made since the save without a word to the observers (a
        // new, still empty dialog) is unchanged while it stands at the
        // state it was made with.
        const std::uint64_t savedStep =
            saved != savedSteps_.end() ? saved->second : history.FirstStepId();
        if (history.CurrentStepId() != savedStep) {
            return true;
        }
    }
    return false;
}

}  // namespace ze
