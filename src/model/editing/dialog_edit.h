#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "model/editing/edit_result.h"

namespace ze {

class CZeDialogData;
class CZeResourceData;
class UndoRecord;
class ZeClass;

// One edit of a dialog's tree, from the state before it to the observers
// being told: made before the change (it notes which elements are in the
// tree and what is picked), finished after it. Inside an EditBatch of its
// dialog it records nothing and tells nobody: the batch does, once.
class DialogEdit {
public:
    DialogEdit(CZeResourceData& project, CZeDialogData& dialog);
    DialogEdit(const DialogEdit&) = delete;
    DialogEdit& operator=(const DialogEdit&) = delete;

    CZeDialogData& Dialog() const { return dialog_; }

    // Records one step when anything changed (none when nothing did), tells
    // the observers what changed and fills result's change, changed and
    // stepsRecorded.
    void Record(EditResult& result);
    // The same for a call whose result is only the element to select.
    EditResult Record(ZeClass* select);
    // After undo or redo moved the history over record: tells the observers
    // what the step changed.
    void Stepped(const UndoRecord& record, EditResult& result);

    // Whether an EditBatch is open: the edit calls made inside one leave the
    // selection to the batch's end.
    static bool InBatch();

private:
    friend class EditBatch;

    // Fills change from the elements in the tree now, those before, and the
    // elements record restored or backed up.
    void Compare(const UndoRecord* record, ElementChange& change) const;
    void Tell(const ElementChange& change, bool historyMoved) const;

    CZeResourceData& project_;
    CZeDialogData& dialog_;
    std::vector<ZeClass*> before_;
    std::unordered_set<const ZeClass*> beforeSet_;
    std::vector<std::uint64_t> selectionBefore_;
    bool nested_ = false;
};

// Several edits of one dialog as one step of its history, told to the
// observers as one change: the selection's edits (delete, paste, a value
// set on every picked element) make their single calls inside a batch.
class EditBatch {
public:
    EditBatch(CZeResourceData& project, CZeDialogData& dialog);
    ~EditBatch();
    EditBatch(const EditBatch&) = delete;
    EditBatch& operator=(const EditBatch&) = delete;

    // Closes the batch and records the step as DialogEdit::Record does.
    void Finish(EditResult& result);

private:
    DialogEdit edit_;
    CZeDialogData* outer_;
    bool open_ = true;
};

}  // namespace ze
