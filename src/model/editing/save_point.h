#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>

#include "model/editing/project_observer.h"

namespace ze {

class CZeResourceData;

// Whether a project differs from the state it last counted as saved in, as
// its change notification tells it: every edit makes it modified, and
// undoing each dialog's history back to the step it had at the save makes
// it clean again (the clean state of an undo stack). Changes no history
// can take back (a change of the project root, a dialog added, removed or
// moved) keep it modified until the next save.
class SavePoint : private ProjectObserver {
public:
    explicit SavePoint(CZeResourceData& project);
    ~SavePoint() override;

    // The project as it is now counts as saved.
    void Mark();
    // Counts a change the notification does not tell of (dialogs read from
    // a file into a modified project, a recovered project).
    void Touch();
    bool IsModified() const { return modified_; }
    // Counts every change told or touched, so a caller can tell whether
    // anything happened since it last looked.
    std::uint64_t Revision() const { return revision_; }
    // Called whenever the modified state flips.
    void SetListener(std::function<void(bool modified)> listener) {
        listener_ = std::move(listener);
    }

private:
    void ElementsChanged(const ElementChange& change) override;
    void DialogAdded(CZeDialogData& dialog) override;
    void DialogRemoving(CZeDialogData& dialog) override;
    void ProjectEmptied() override;
    void DialogMoved(CZeDialogData& dialog, std::size_t from, std::size_t to) override;
    void HistoryMoved(CZeDialogData& dialog) override;

    void Unrecorded();
    void Update();
    bool DiffersFromSave() const;

    CZeResourceData& project_;
    // The step each dialog's history had at the save.
    std::unordered_map<const CZeDialogData*, std::uint64_t> savedSteps_;
    std::size_t savedDialogCount_ = 0;
    bool unrecorded_ = false;
    bool modified_ = false;
    std::uint64_t revision_ = 0;
    std::function<void(bool)> listener_;
};

}  // namespace ze
