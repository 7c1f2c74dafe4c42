#pragma once

#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

#include "model/editing/edit_result.h"
#include "model/step_name.h"

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

    // What the step is called. Inside an EditBatch the name goes to the
    // batch, which calls the step after the edits it holds.
    void SetName(StepName name);

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
    // The name the recorded step gets.
    StepName FinalName() const;

    CZeResourceData& project_;
    CZeDialogData& dialog_;
    std::vector<ZeClass*> before_;
    std::unordered_set<const ZeClass*> beforeSet_;
    std::vector<std::uint64_t> selectionBefore_;
    bool nested_ = false;
    std::optional<StepName> name_;
    // A batch's: the names of the edits made inside it.
    std::vector<StepName> nestedNames_;
};

// While it lives, the steps recorded are of kind, whatever their calls name
// them: an operation that is made of another edit call (a move to another
// dialog that pastes there) names its step as the user sees it. The
// outermost one counts.
class StepKindScope {
public:
    explicit StepKindScope(StepKind kind);
    ~StepKindScope();
    StepKindScope(const StepKindScope&) = delete;
    StepKindScope& operator=(const StepKindScope&) = delete;

private:
    bool owns_ = false;
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

    // Names the step itself; otherwise it is named after the edits it holds.
    void SetName(StepName name) { edit_.SetName(std::move(name)); }
    // Closes the batch and records the step as DialogEdit::Record does.
    void Finish(EditResult& result);

private:
    DialogEdit edit_;
    CZeDialogData* outer_;
    DialogEdit* outerEdit_;
    bool open_ = true;
};

}  // namespace ze
