#include "model/editing/selection.h"

#include <algorithm>
#include <unordered_set>

#include "model/dialog_data.h"
#include "model/editing/element_lookup.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze {

namespace {

bool IsObjectOrGroup(const ZeClass& element) {
    return element.GetKind() == ElementKind::kObject || element.GetKind() == ElementKind::kGroup;
}

// Elements that are picked alone: a dialog stands for "nothing picked in it".
bool IsPickedAlone(const ZeClass& element) {
    return element.GetKind() == ElementKind::kProject ||
           element.GetKind() == ElementKind::kDialog ||
           element.GetKind() == ElementKind::kDialogList;
}

}  // namespace

// One change of the selection: what it was is noted first, and the marks are
// set and the observers told at the end, once, only when it differs.
class SelectionChange {
public:
    explicit SelectionChange(CZeResourceData& project)
        : selection_(project.GetSelection()),
          dialog_(selection_.dialog_),
          elements_(selection_.elements_),
          page_(dialog_ != nullptr ? dialog_->GetCurrentPage() : 0) {}
    SelectionChange(const SelectionChange&) = delete;
    SelectionChange& operator=(const SelectionChange&) = delete;

    ~SelectionChange() {
        Selection& s = selection_;
        const bool pageMoved = s.dialog_ != nullptr && s.dialog_->GetCurrentPage() != page_;
        if (!tellAnyway_ && s.dialog_ == dialog_ && s.elements_ == elements_ && !pageMoved) {
            return;
        }
        s.Mark();
        s.Tell();
    }

    CZeDialogData*& Dialog() { return selection_.dialog_; }
    std::vector<ZeClass*>& Elements() { return selection_.elements_; }
    // A page of a dialog that is not current moved.
    void TellAnyway() { tellAnyway_ = true; }

private:
    Selection& selection_;
    CZeDialogData* dialog_;
    std::vector<ZeClass*> elements_;
    std::int32_t page_;
    bool tellAnyway_ = false;
};

Selection::Selection(CZeResourceData& project) : project_(project) {
    project.Observers().Add(this);
}

Selection::~Selection() = default;

ZeClass* Selection::Current() const {
    if (!elements_.empty()) {
        return elements_.back();
    }
    return dialog_;
}

bool Selection::Contains(const ZeClass& element) const {
    return std::find(elements_.begin(), elements_.end(), &element) != elements_.end();
}

std::vector<CObjectData*> Selection::Objects() const {
    std::vector<CObjectData*> objects;
    for (ZeClass* element : elements_) {
        if (IsObjectOrGroup(*element)) {
            objects.push_back(static_cast<CObjectData*>(element));
        }
    }
    return objects;
}

std::vector<std::uint64_t> Selection::Serials() const {
    std::vector<std::uint64_t> serials;
    serials.reserve(elements_.size());
    for (const ZeClass* element : elements_) {
        serials.push_back(element->GetSerial());
    }
    return serials;
}

void Selection::ElementsChanged(const ElementChange& change) {
    if (change.dialog == nullptr || change.dialog != dialog_) {
        return;
    }
    SelectionChange edit(project_);
    if (!change.removed.empty()) {
        const std::unordered_set<const ZeClass*> gone(change.removed.begin(),
                                                      change.removed.end());
        std::erase_if(edit.Elements(), [&gone](const ZeClass* e) { return gone.contains(e); });
    }
    // Undo puts copies' items back, marks included, and new elements come
    // unmarked: the marks follow the selection again whatever changed.
    Mark();
}

void Selection::DialogRemoving(CZeDialogData& dialog) {
    if (&dialog != dialog_) {
        return;
    }
    SelectionChange edit(project_);
    edit.Dialog() = nullptr;
    edit.Elements().clear();
    marked_ = nullptr;
}

void Selection::ProjectEmptied() {
    SelectionChange edit(project_);
    edit.Dialog() = nullptr;
    edit.Elements().clear();
    // Its dialog is about to go: no marks to clear in it.
    marked_ = nullptr;
}

void Selection::Mark() {
    if (marked_ != nullptr && marked_ != dialog_) {
        if (CObjectDataList* root = marked_->GetRootGroup()) {
            root->ClearSelection();
        }
    }
    marked_ = dialog_;
    if (dialog_ == nullptr) {
        return;
    }
    if (CObjectDataList* root = dialog_->GetRootGroup()) {
        root->ClearSelection();
    }
    for (ZeClass* element : elements_) {
        ZeClass* marked = element;
        // A header column or command is worked on through its element.
        if (element->GetKind() == ElementKind::kHeaderColumn ||
            element->GetKind() == ElementKind::kCommand) {
            marked = FindOwner(*dialog_, *element);
        }
        if (marked != nullptr && IsObjectOrGroup(*marked)) {
            static_cast<CObjectData*>(marked)->SetSelected(true);
        }
    }
}

void Selection::Tell() {
    project_.Observers().Notify(
        [this](ProjectObserver& observer) { observer.SelectionChanged(*this); });
}

namespace {

// The dialog element belongs to (itself for a dialog); null for the root
// and for elements in no dialog.
CZeDialogData* DialogOfElement(const CZeResourceData& project, ZeClass& element) {
    if (element.GetKind() == ElementKind::kDialog) {
        return static_cast<CZeDialogData*>(&element);
    }
    return FindDialogOf(project, element);
}

// A group picked as a page of a PAGE group (or one of its header columns or
// commands) is the page its previews show.
void FollowPage(CZeDialogData& dialog, const ZeClass& element) {
    const ZeClass* picked = &element;
    if (element.GetKind() == ElementKind::kHeaderColumn ||
        element.GetKind() == ElementKind::kCommand) {
        picked = FindOwner(dialog, element);
    }
    if (picked == nullptr || picked->GetKind() != ElementKind::kGroup) {
        return;
    }
    const auto& group = static_cast<const CObjectData&>(*picked);
    const CObjectDataList* parent = group.GetParent();
    if (parent != nullptr && parent->GetItem(prop::kLayout) == "PAGE") {
        dialog.SetCurrentPage(parent->IndexOf(&group));
    }
}

void PickAlone(CZeResourceData& project, SelectionChange& edit, ZeClass& element) {
    edit.Elements().clear();
    if (element.GetKind() == ElementKind::kProject) {
        edit.Elements().push_back(&element);
        return;
    }
    CZeDialogData* dialog = DialogOfElement(project, element);
    if (dialog == nullptr) {
        return;
    }
    edit.Dialog() = dialog;
    if (&element != dialog) {
        edit.Elements().push_back(&element);
        FollowPage(*dialog, element);
    }
}

// Whether element may join the current selection instead of replacing it.
bool JoinsSelection(CZeResourceData& project, SelectionChange& edit, ZeClass& element) {
    if (IsPickedAlone(element) || edit.Dialog() == nullptr) {
        return false;
    }
    const std::vector<ZeClass*>& now = edit.Elements();
    if (!now.empty() && IsPickedAlone(*now.front())) {
        return false;
    }
    return DialogOfElement(project, element) == edit.Dialog();
}

void Append(SelectionChange& edit, ZeClass& element) {
    std::vector<ZeClass*>& elements = edit.Elements();
    std::erase(elements, &element);
    elements.push_back(&element);
}

}  // namespace

void Select(CZeResourceData& project, ZeClass* element) {
    SelectionChange edit(project);
    if (element == nullptr) {
        edit.Dialog() = nullptr;
        edit.Elements().clear();
        return;
    }
    PickAlone(project, edit, *element);
}

void SelectAlso(CZeResourceData& project, ZeClass* element) {
    if (element == nullptr) {
        return;
    }
    SelectionChange edit(project);
    if (!JoinsSelection(project, edit, *element)) {
        PickAlone(project, edit, *element);
        return;
    }
    Append(edit, *element);
    FollowPage(*edit.Dialog(), *element);
}

void Deselect(CZeResourceData& project, ZeClass* element) {
    if (element == nullptr) {
        return;
    }
    SelectionChange edit(project);
    std::erase(edit.Elements(), element);
}

void ToggleSelected(CZeResourceData& project, ZeClass* element) {
    if (element == nullptr) {
        return;
    }
    if (project.GetSelection().Contains(*element) && !IsPickedAlone(*element)) {
        Deselect(project, element);
    } else {
        SelectAlso(project, element);
    }
}

void SelectRange(CZeResourceData& project, ZeClass* element) {
    if (element == nullptr) {
        return;
    }
    const Selection& selection = project.GetSelection();
    ZeClass* anchor = selection.Elements().empty() ? nullptr : selection.Current();
    if (anchor == nullptr || anchor == element || !IsObjectOrGroup(*anchor) ||
        !IsObjectOrGroup(*element) ||
        static_cast<CObjectData*>(anchor)->GetParent() !=
            static_cast<CObjectData*>(element)->GetParent() ||
        static_cast<CObjectData*>(element)->GetParent() == nullptr) {
        Select(project, element);
        return;
    }
    const auto& siblings = static_cast<CObjectData*>(element)->GetParent()->GetChildren();
    const auto from = std::find(siblings.begin(), siblings.end(), anchor);
    const auto to = std::find(siblings.begin(), siblings.end(), element);
    SelectionChange edit(project);
    edit.Elements().clear();
    if (from <= to) {
        edit.Elements().assign(from, to + 1);
    } else {
        edit.Elements().assign(std::make_reverse_iterator(from + 1), std::make_reverse_iterator(to));
    }
}

void SelectChildren(CZeResourceData& project, CObjectDataList& group) {
    CZeDialogData* dialog = DialogOfElement(project, group);
    if (dialog == nullptr) {
        return;
    }
    SelectionChange edit(project);
    edit.Dialog() = dialog;
    edit.Elements().assign(group.GetChildren().begin(), group.GetChildren().end());
}

void SelectElements(CZeResourceData& project, CZeDialogData& dialog,
                    const std::vector<ZeClass*>& elements, bool add) {
    SelectionChange edit(project);
    if (!add || edit.Dialog() != &dialog ||
        (!edit.Elements().empty() && IsPickedAlone(*edit.Elements().front()))) {
        edit.Elements().clear();
    }
    edit.Dialog() = &dialog;
    for (ZeClass* element : elements) {
        if (element != nullptr && !IsPickedAlone(*element) && IsInTree(dialog, *element)) {
            Append(edit, *element);
        }
    }
}

void DeselectAll(CZeResourceData& project) {
    SelectionChange edit(project);
    edit.Elements().clear();
}

void SetCurrentPage(CZeResourceData& project, CZeDialogData& dialog, std::int32_t page) {
    if (dialog.GetCurrentPage() == page) {
        return;
    }
    SelectionChange edit(project);
    dialog.SetCurrentPage(page);
    edit.TellAnyway();
}

}  // namespace ze
