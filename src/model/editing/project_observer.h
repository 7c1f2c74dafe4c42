#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace ze {

class CZeDialogData;
class Selection;
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

class ProjectObservers;

// Told of every change to a project: the views (tree, property list,
// previews, the Edit menu) follow the model through it and nothing else.
// Every call comes after the change, except DialogRemoving.
//
// An observer leaves every project it observes when it is destroyed, and a
// project that goes first simply stops telling it: windows, views and panes
// are deleted in whatever order Qt chooses (closing one window, closing all,
// quitting), so neither side may rely on the other outliving it.
class ProjectObserver {
public:
    ProjectObserver() = default;
    virtual ~ProjectObserver();
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
    // Every dialog left the project at once, and the project root may have a
    // new project's items: let go of everything the project gave, in one
    // go. The dialogs that left are destroyed right after this call (not
    // before), so what an observer still holds may be compared with them.
    // Told instead of a DialogRemoving per dialog, which would make each
    // observer rebuild what it shows once per dialog.
    virtual void ProjectEmptied() {}
    // A step was recorded, undone or redone in the dialog's history.
    virtual void HistoryMoved(CZeDialogData& /*dialog*/) {}
    // The current dialog, the picked elements or a dialog's current page
    // changed.
    virtual void SelectionChanged(const Selection& /*selection*/) {}

private:
    friend class ProjectObservers;
    struct Registry;
    // The lists this observer is on; an expired one belongs to a project
    // that is gone.
    std::vector<std::weak_ptr<Registry>> observed_;
};

// The observers of one project. An observer may leave (or another join)
// while a change is being told; one that left is not told any more.
class ProjectObservers {
public:
    ProjectObservers();
    ~ProjectObservers();
    ProjectObservers(const ProjectObservers&) = delete;
    ProjectObservers& operator=(const ProjectObservers&) = delete;

    void Add(ProjectObserver* observer);
    void Remove(ProjectObserver* observer);
    bool Contains(const ProjectObserver* observer) const;
    std::size_t Count() const;

    template <typename Tell>
    void Notify(Tell tell) const {
        const std::vector<ProjectObserver*> now = Snapshot();
        for (ProjectObserver* observer : now) {
            if (Contains(observer)) {
                tell(*observer);
            }
        }
    }

private:
    std::vector<ProjectObserver*> Snapshot() const;

    // Shared with the observers only weakly, so that whichever of the two
    // goes first, the other finds out.
    std::shared_ptr<ProjectObserver::Registry> registry_;
};

}  // namespace ze
