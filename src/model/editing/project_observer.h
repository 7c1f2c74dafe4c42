#pragma once

#include <cstddef>
#include <vector>

namespace ze {

class CZeDialogData;
class ZeClass;

// What one edit did to the tree of a dialog, or to the project root's own
// items (dialog null, changed holding the root).
struct ElementChange {
    CZeDialogData* dialog = nullptr;
    // Elements that entered the dialog's tree, everything below them included,
    // parents before children.
    std::vector<ZeClass*> added;
    // Elements that left it, everything below them included. They may stay
    // alive for the history, but no view may keep showing them.
    std::vector<ZeClass*> removed;
    // Elements still in the tree whose items or lists (children, header
    // columns, commands, root group) changed.
    std::vector<ZeClass*> changed;

    bool IsEmpty() const { return added.empty() && removed.empty() && changed.empty(); }
};

// Told of every change to a project: the views (tree, property list,
// previews, the Edit menu) follow the model through it and nothing else.
// Every call comes after the change, except DialogRemoving.
class ProjectObserver {
public:
    ProjectObserver() = default;
    virtual ~ProjectObserver() = default;
    ProjectObserver(const ProjectObserver&) = delete;
    ProjectObserver& operator=(const ProjectObserver&) = delete;

    virtual void ElementsChanged(const ElementChange& /*change*/) {}
    // Appended to the dialog list.
    virtual void DialogAdded(CZeDialogData& /*dialog*/) {}
    // About to be destroyed, still in the list: forget it and its elements.
    virtual void DialogRemoving(CZeDialogData& /*dialog*/) {}
    virtual void DialogRenamed(CZeDialogData& /*dialog*/) {}
    // The dialog changed places with its neighbour in the dialog list.
    virtual void DialogMoved(CZeDialogData& /*dialog*/, std::size_t /*from*/, std::size_t /*to*/) {}
    // A step was recorded, undone or redone in the dialog's history.
    virtual void HistoryMoved(CZeDialogData& /*dialog*/) {}
};

// The observers of one project. An observer may leave (or another join)
// while a change is being told; one that left is not told any more.
class ProjectObservers {
public:
    void Add(ProjectObserver* observer);
    void Remove(ProjectObserver* observer);
    bool Contains(const ProjectObserver* observer) const;

    template <typename Tell>
    void Notify(Tell tell) const {
        const std::vector<ProjectObserver*> now = observers_;
        for (ProjectObserver* observer : now) {
            if (Contains(observer)) {
                tell(*observer);
            }
        }
    }

private:
    std::vector<ProjectObserver*> observers_;
};

}  // namespace ze
