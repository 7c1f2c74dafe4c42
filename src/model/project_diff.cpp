#include "model/project_diff.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <unordered_map>
#include <utility>

#include "model/background_worker.h"
#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/project_match.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze {

namespace {

constexpr std::string_view kArrow = "\x81\xa8";  // → in Shift_JIS

// From this many elements on, dialogs are compared on two threads.
constexpr std::size_t kSharedFrom = 20000;

// A path made only when a change needs it: most elements have none.
class LazyPath {
public:
    explicit LazyPath(const std::string& fixed) : text_(fixed), done_(true) {}
    LazyPath(const LazyPath& parent, const CObjectData& element)
        : parent_(&parent), element_(&element) {}
    // A command (in its owner's list) or, without a list, a header column.
    LazyPath(const LazyPath& parent, const std::vector<ZeClass*>* commands, std::size_t index)
        : parent_(&parent), commands_(commands), index_(index) {}

    const std::string& Get() const {
        if (!done_) {
            text_ = parent_->Get() + "/" +
                    (element_ != nullptr    ? ElementSegment(*element_)
                     : commands_ != nullptr ? CommandSegment(*commands_, index_)
                                            : HeaderSegment(index_));
            done_ = true;
        }
        return text_;
    }

private:
    const LazyPath* parent_ = nullptr;
    const CObjectData* element_ = nullptr;
    const std::vector<ZeClass*>* commands_ = nullptr;
    std::size_t index_ = 0;
    mutable std::string text_;
    mutable bool done_ = false;
};

class DiffWriter {
public:
    explicit DiffWriter(std::vector<ProjectChange>& out) : out_(out) {}

    void Properties(const ZeClass& oldElement, const ZeClass& newElement, const std::string& dialog,
                    const LazyPath& path, bool nameIsRename) {
        ForEachChangedItem(
            oldElement.Items(), newElement.Items(),
            [&](std::string_view name, std::string_view oldValue, std::string_view newValue) {
                if (nameIsRename && name == prop::kName) {
                    return;
                }
                ProjectChange change = Make(ChangeKind::kChanged, dialog, path.Get());
                change.property = name;
                SetValues(change, oldValue, newValue);
                out_.push_back(std::move(change));
            });
    }

    void Dialog(const DialogMatch& match) {
        const CZeDialogData& oldDialog = *match.oldDialog;
        const CZeDialogData& newDialog = *match.newDialog;
        match_ = &match;
        dialog_ = newDialog.GetItem(prop::kName);
        const LazyPath dialogPath(dialog_);
        Properties(oldDialog, newDialog, dialog_, dialogPath, false);
        Commands(oldDialog.GetCommands(), newDialog.GetCommands(), dialogPath);
        CObjectDataList* oldRoot = oldDialog.GetRootGroup();
        CObjectDataList* newRoot = newDialog.GetRootGroup();
        if (oldRoot != nullptr && newRoot == nullptr) {
            Removed(dialog_ + "/" + ElementSegment(*oldRoot), ElementTypeName(*oldRoot));
        } else if (newRoot != nullptr) {
            Present(*newRoot, dialogPath);
        }
    }

    void AddedOrRemovedDialog(const CZeDialogData& dialog, bool added) {
        const std::string name = dialog.GetItem(prop::kName);
        ProjectChange change = Make(added ? ChangeKind::kAdded : ChangeKind::kRemoved, name, name);
        (added ? change.newValue : change.oldValue) = "DIALOG";
        (added ? change.hasNew : change.hasOld) = true;
        out_.push_back(std::move(change));
    }

    void MovedDialog(const CZeDialogData& oldDialog, const CZeDialogDataList& oldList,
                     const CZeDialogData& newDialog, const CZeDialogDataList& newList) {
        const std::string name = newDialog.GetItem(prop::kName);
        ProjectChange change = Make(ChangeKind::kMoved, name, name);
        change.newPath = name;
        change.oldIndex = oldList.IndexOf(&oldDialog);
        change.newIndex = newList.IndexOf(&newDialog);
        SetValues(change, "[" + std::to_string(change.oldIndex) + "]",
                  "[" + std::to_string(change.newIndex) + "]");
        out_.push_back(std::move(change));
    }

private:
    ProjectChange Make(ChangeKind kind, const std::string& dialog, const std::string& path) {
        ProjectChange change;
        change.kind = kind;
        change.dialog = dialog;
        change.path = path;
        return change;
    }

    static void SetValues(ProjectChange& change, std::string_view oldValue,
                          std::string_view newValue) {
        change.oldValue = oldValue;
        change.newValue = newValue;
        change.hasOld = true;
        change.hasNew = true;
    }

    void Added(const std::string& path, std::string type) {
        ProjectChange change = Make(ChangeKind::kAdded, dialog_, path);
        change.newValue = std::move(type);
        change.hasNew = true;
        out_.push_back(std::move(change));
    }

    void Removed(const std::string& path, std::string type) {
        ProjectChange change = Make(ChangeKind::kRemoved, dialog_, path);
        change.oldValue = std::move(type);
        change.hasOld = true;
        out_.push_back(std::move(change));
    }

    void Commands(const std::vector<ZeClass*>& oldCommands,
                  const std::vector<ZeClass*>& newCommands, const LazyPath& ownerPath) {
        for (std::size_t i = 0; i < oldCommands.size(); ++i) {
            if (match_->NewOf(oldCommands[i]) == nullptr) {
                // Removed commands are named as they were, under the owner.
                Removed(ownerPath.Get() + "/" + CommandSegment(oldCommands, i),
                        oldCommands[i]->GetItem(prop::kCommand));
            }
        }
        for (std::size_t i = 0; i < newCommands.size(); ++i) {
            const LazyPath path(ownerPath, &newCommands, i);
            if (const ZeClass* old = match_->OldOf(newCommands[i])) {
                Properties(*old, *newCommands[i], dialog_, path, false);
            } else {
                Added(path.Get(), newCommands[i]->GetItem(prop::kCommand));
            }
        }
    }

    void Headers(const std::vector<ZeClass*>& oldHeaders, const std::vector<ZeClass*>& newHeaders,
                 const LazyPath& ownerPath) {
        for (std::size_t i = newHeaders.size(); i < oldHeaders.size(); ++i) {
            Removed(ownerPath.Get() + "/" + HeaderSegment(i), "HEADER");
        }
        for (std::size_t i = 0; i < newHeaders.size(); ++i) {
            const LazyPath path(ownerPath, nullptr, i);
            if (const ZeClass* old = match_->OldOf(newHeaders[i])) {
                Properties(*old, *newHeaders[i], dialog_, path, false);
            } else {
                Added(path.Get(), "HEADER");
            }
        }
    }

    std::string ParentPlace(const CObjectData& element) {
        const CObjectDataList* parent = element.GetParent();
        return (parent == nullptr ? std::string() : ElementSegment(*parent)) + "[" +
               std::to_string(parent == nullptr ? 0 : parent->IndexOf(&element)) + "]";
    }

    // An element of the new version, its children and what it holds.
    void Present(CObjectData& element, const LazyPath& parentPath) {
        const LazyPath path(parentPath, element);
        auto* old = static_cast<const CObjectData*>(match_->OldOf(&element));
        if (old == nullptr) {
            Added(path.Get(), ElementTypeName(element));
        } else {
            if (match_->moved.Contains(&element)) {
                ProjectChange change =
                    Make(ChangeKind::kMoved, dialog_, ElementPath(*match_->oldDialog, *old));
                change.newPath = path.Get();
                SetValues(change, ParentPlace(*old), ParentPlace(element));
                change.oldParentPath = old->GetParent() != nullptr
                                           ? ElementPath(*match_->oldDialog, *old->GetParent())
                                           : std::string();
                change.newParentPath = element.GetParent() != nullptr
                                           ? ElementPath(*match_->newDialog, *element.GetParent())
                                           : std::string();
                change.oldIndex = old->GetParent() != nullptr ? old->GetParent()->IndexOf(old) : 0;
                change.newIndex =
                    element.GetParent() != nullptr ? element.GetParent()->IndexOf(&element) : 0;
                out_.push_back(std::move(change));
            }
            const std::string_view oldName = old->Items().GetItemView(prop::kName);
            const std::string_view newName = element.Items().GetItemView(prop::kName);
            if (oldName != newName) {
                ProjectChange change =
                    Make(ChangeKind::kRenamed, dialog_, ElementPath(*match_->oldDialog, *old));
                change.newPath = path.Get();
                change.property = prop::kName;
                SetValues(change, oldName, newName);
                out_.push_back(std::move(change));
            }
            Properties(*old, element, dialog_, path, true);
            Headers(old->GetHeaders(), element.GetHeaders(), path);
            Commands(old->GetCommands(), element.GetCommands(), path);
        }
        if (!element.IsGroup()) {
            return;
        }
        auto& group = static_cast<CObjectDataList&>(element);
        if (old != nullptr && old->IsGroup()) {
            std::string oldPath;
            for (CObjectData* child : static_cast<const CObjectDataList*>(old)->GetChildren()) {
                if (match_->NewOf(child) == nullptr) {
                    if (oldPath.empty()) {
                        oldPath = ElementPath(*match_->oldDialog, *old);
                    }
                    Removed(oldPath + "/" + ElementSegment(*child), ElementTypeName(*child));
                }
            }
        }
        for (CObjectData* child : group.GetChildren()) {
            if (old == nullptr && match_->OldOf(child) == nullptr) {
                // Inside an added group only what came from elsewhere is
                // told; the rest came with the group.
                SkimAdded(*child, path);
            } else {
                Present(*child, path);
            }
        }
    }

    // Below an added element: the elements that match old ones (moved in).
    void SkimAdded(CObjectData& element, const LazyPath& parentPath) {
        if (match_->OldOf(&element) != nullptr) {
            Present(element, parentPath);
            return;
        }
        if (element.IsGroup()) {
            const LazyPath path(parentPath, element);
            for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
                SkimAdded(*child, path);
            }
        }
    }

    std::vector<ProjectChange>& out_;
    const DialogMatch* match_ = nullptr;
    std::string dialog_;
};

// Every element of a dialog's tree by its path, as the diff names them.
class PathIndex {
public:
    explicit PathIndex(CZeDialogData& dialog) {
        const std::string name = dialog.GetItem("Name");
        paths_.emplace(name, &dialog);
        Commands(dialog.GetCommands(), name);
        if (CObjectDataList* root = dialog.GetRootGroup()) {
            Element(*root, name);
        }
    }

    ZeClass* Find(const std::string& path) const {
        const auto found = paths_.find(path);
        return found == paths_.end() ? nullptr : found->second;
    }

private:
    void Commands(const std::vector<ZeClass*>& commands, const std::string& owner) {
        for (std::size_t i = 0; i < commands.size(); ++i) {
            paths_.emplace(owner + "/" + CommandSegment(commands, i), commands[i]);
        }
    }

    void Element(CObjectData& element, const std::string& parent) {
        const std::string path = parent + "/" + ElementSegment(element);
        paths_.emplace(path, &element);
        const std::vector<ZeClass*>& headers = element.GetHeaders();
        for (std::size_t i = 0; i < headers.size(); ++i) {
            paths_.emplace(path + "/" + HeaderSegment(i), headers[i]);
        }
        Commands(element.GetCommands(), path);
        if (element.IsGroup()) {
            for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
                Element(*child, path);
            }
        }
    }

    std::unordered_map<std::string, ZeClass*> paths_;
};

}  // namespace

ZeClass* ElementOfChange(CZeResourceData& project, const ProjectChange& change) {
    if (change.dialog.empty()) {
        return &project;
    }
    const CZeDialogDataList& dialogs = project.GetDialogs();
    CZeDialogData* dialog = nullptr;
    for (std::size_t i = 0; i < dialogs.GetCount() && dialog == nullptr; ++i) {
        if (std::as_const(*dialogs.GetDialog(i)).Items().GetItemView("Name") == change.dialog) {
            dialog = dialogs.GetDialog(i);
        }
    }
    if (dialog == nullptr) {
        return nullptr;
    }
    const PathIndex index(*dialog);
    // A removed element (and a removed dialog's name) leads to what is
    // left of its old place.
    std::string path = change.newPath.empty() ? change.path : change.newPath;
    while (path.size() > change.dialog.size()) {
        if (ZeClass* element = index.Find(path)) {
            return element;
        }
        const std::size_t slash = path.rfind('/');
        if (slash == std::string::npos) {
            break;
        }
        path.resize(slash);
    }
    return dialog;
}

std::string_view ChangeKindName(ChangeKind kind) {
    switch (kind) {
        case ChangeKind::kAdded:
            return "added";
        case ChangeKind::kRemoved:
            return "removed";
        case ChangeKind::kChanged:
            return "changed";
        case ChangeKind::kMoved:
            return "moved";
        case ChangeKind::kRenamed:
            return "renamed";
    }
    return "changed";
}

std::vector<ProjectChange> DiffProjects(const CZeResourceData& oldProject,
                                        const CZeResourceData& newProject) {
    std::vector<ProjectChange> changes;
    DiffWriter writer(changes);
    writer.Properties(oldProject, newProject, std::string(), LazyPath("/"), false);
    const DialogPairs pairs = PairDialogs(oldProject, newProject);
    // Each pair of dialogs is matched and told apart on its own, a large
    // project's on two threads, and its match let go at once.
    std::vector<std::vector<ProjectChange>> dialogChanges(pairs.matched.size());
    const auto diffDialog = [&](std::size_t i) {
        const DialogMatch match =
            MatchDialogs(*pairs.matched[i].oldDialog, *pairs.matched[i].newDialog);
        DiffWriter(dialogChanges[i]).Dialog(match);
    };
    std::size_t elements = 0;
    for (const DialogPairs::Pair& pair : pairs.matched) {
        elements += pair.newDialog->GetElementStore().Count();
    }
    if (elements >= kSharedFrom) {
        ShareIndexes(pairs.matched.size(), diffDialog);
    } else {
        for (std::size_t i = 0; i < pairs.matched.size(); ++i) {
            diffDialog(i);
        }
    }
    for (const CZeDialogData* dialog : pairs.removed) {
        writer.AddedOrRemovedDialog(*dialog, false);
    }
    // Added dialogs stand in the new order among the matched ones.
    std::size_t matched = 0;
    const CZeDialogDataList& dialogs = newProject.GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        const CZeDialogData* dialog = dialogs.GetDialog(i);
        if (matched < pairs.matched.size() && pairs.matched[matched].newDialog == dialog) {
            if (pairs.moved.contains(dialog)) {
                writer.MovedDialog(*pairs.matched[matched].oldDialog, oldProject.GetDialogs(),
                                   *dialog, dialogs);
            }
            std::move(dialogChanges[matched].begin(), dialogChanges[matched].end(),
                      std::back_inserter(changes));
            ++matched;
        } else {
            writer.AddedOrRemovedDialog(*dialog, true);
        }
    }
    return changes;
}

std::string ChangeLine(const ProjectChange& change) {
    std::string line;
    switch (change.kind) {
        case ChangeKind::kAdded:
            return "+ " + change.path + " (" + change.newValue + ")";
        case ChangeKind::kRemoved:
            return "- " + change.path + " (" + change.oldValue + ")";
        case ChangeKind::kMoved:
            line = "> " + change.path + ": ";
            break;
        case ChangeKind::kRenamed:
            line = "* " + change.path + ": " + change.property + ": ";
            break;
        case ChangeKind::kChanged:
            line = "~ " + change.path + ": " + change.property + ": ";
            break;
    }
    line += change.oldValue;
    line += ' ';
    line += kArrow;
    line += ' ';
    line += change.newValue;
    return line;
}

}  // namespace ze
