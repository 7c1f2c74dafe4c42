#pragma once

#include <cstdint>
#include <vector>

#include "model/editing/project_observer.h"

namespace ze {

class CObjectData;
class CObjectDataList;
class CZeDialogData;
class CZeResourceData;
class ZeClass;

// What the user is working on in one project: the current dialog and the
// elements picked in it, in the order they were picked. The last one picked
// is the current element, the one the property list shows first; with none
// picked the dialog itself is current. The project root may be picked too,
// alone; the dialog stays current then, so that the Edit menu still steps
// through its history.
//
// The project owns its selection, and only the selection calls below change
// it. It keeps the selected marks of the objects and groups it holds (a
// picked group marks everything below it, a picked header column or command
// the element it belongs to), which is what the previews paint and what
// grouping moves. Every change is told to the project's observers
// through SelectionChanged, after it is made.
class Selection : private ProjectObserver {
public:
    explicit Selection(CZeResourceData& project);
    ~Selection() override;

    CZeDialogData* Dialog() const { return dialog_; }
    // Objects, groups, header columns and commands of Dialog()'s tree, or the
    // project root alone.
    const std::vector<ZeClass*>& Elements() const { return elements_; }
    // The last element picked; the dialog when none is (null when no dialog
    // is current either).
    ZeClass* Current() const;
    bool Contains(const ZeClass& element) const;
    // The picked objects and groups, in the order they were picked.
    std::vector<CObjectData*> Objects() const;

    // Serial numbers of the picked elements, for the history: a step keeps
    // the selection it was made from, and undoing the step picks again the
    // elements of it that are in the tree then.
    std::vector<std::uint64_t> Serials() const;

private:
    friend class SelectionChange;

    // ProjectObserver: an element that leaves its dialog's tree leaves the
    // selection in the same call; a dialog that goes takes its selection.
    void ElementsChanged(const ElementChange& change) override;
    void DialogRemoving(CZeDialogData& dialog) override;
    void ProjectEmptied() override;

    // Clears the marks of the current dialog's tree and sets those of the
    // picked objects and groups.
    void Mark();
    void Tell();

    CZeResourceData& project_;
    CZeDialogData* dialog_ = nullptr;
    std::vector<ZeClass*> elements_;
    // The dialog whose tree carries marks now.
    CZeDialogData* marked_ = nullptr;
};

// The calls that change a project's selection. Each tells the observers
// once, and only when the selection changed.

// Only element is picked: a dialog (nothing picked in it), the project root,
// or an element of a dialog's tree (its dialog becomes current). A group
// that is a page of a PAGE group becomes its dialog's current page. Null
// picks nothing, not even a dialog.
void Select(CZeResourceData& project, ZeClass* element);
// element is picked too and becomes current; an element of another dialog
// (or a dialog, or the root) is picked alone instead.
void SelectAlso(CZeResourceData& project, ZeClass* element);
// element is no longer picked; the one picked before it becomes current.
void Deselect(CZeResourceData& project, ZeClass* element);
// Ctrl+click: picked elements are dropped, others added.
void ToggleSelected(CZeResourceData& project, ZeClass* element);
// Shift+click: the siblings from the current element to element, both
// included, in tree order, element current. Without a current sibling of
// element this picks element alone.
void SelectRange(CZeResourceData& project, ZeClass* element);
// Ctrl+A: every child of group, in order; the last child is current.
void SelectChildren(CZeResourceData& project, CObjectDataList& group);
// A rubber band: elements (of dialog's tree) picked in the given order,
// added to what is picked when add, else replacing it.
void SelectElements(CZeResourceData& project, CZeDialogData& dialog,
                    const std::vector<ZeClass*>& elements, bool add);
// Esc: nothing picked; the dialog stays current.
void DeselectAll(CZeResourceData& project);
// The page of dialog's PAGE groups the previews show.
void SetCurrentPage(CZeResourceData& project, CZeDialogData& dialog, std::int32_t page);

}  // namespace ze
