#include "model/project_match.h"

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <unordered_map>

#include "model/dialog_data.h"
#include "model/item_list.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze {

namespace {

void CollectObjects(CObjectData* element, std::vector<CObjectData*>& out) {
    out.push_back(element);
    if (element->IsGroup()) {
        for (CObjectData* child : static_cast<CObjectDataList*>(element)->GetChildren()) {
            CollectObjects(child, out);
        }
    }
}

std::vector<CObjectData*> ObjectsOf(const CZeDialogData& dialog) {
    std::vector<CObjectData*> objects;
    if (CObjectDataList* root = dialog.GetRootGroup()) {
        CollectObjects(root, objects);
    }
    return objects;
}

// How many groups and objects carry each name, and the first that does.
struct NameCount {
    int count = 0;
    CObjectData* first = nullptr;
};

std::unordered_map<std::string_view, NameCount> CountNames(const std::vector<CObjectData*>& all) {
    std::unordered_map<std::string_view, NameCount> names;
    names.reserve(all.size());
    for (CObjectData* element : all) {
        const std::string_view name = element->Items().GetItemView(prop::kName);
        if (name.empty()) {
            continue;
        }
        NameCount& entry = names[name];
        if (entry.count++ == 0) {
            entry.first = element;
        }
    }
    return names;
}

// Elements of one kind only match each other: a group never an object.
std::string KindKey(const CObjectData& element) {
    return (element.IsGroup() ? "G" : "O") + ElementTypeName(element);
}

// The indexes (into values) of one longest strictly increasing subsequence.
std::vector<std::size_t> LongestIncreasing(const std::vector<int>& values) {
    std::vector<std::size_t> tails;  // index of the smallest tail of each length
    std::vector<std::size_t> previous(values.size(), SIZE_MAX);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto at = std::lower_bound(tails.begin(), tails.end(), values[i],
                                         [&](std::size_t t, int v) { return values[t] < v; });
        if (at != tails.begin()) {
            previous[i] = *(at - 1);
        }
        if (at == tails.end()) {
            tails.push_back(i);
        } else {
            *at = i;
        }
    }
    std::vector<std::size_t> kept;
    for (std::size_t i = tails.empty() ? SIZE_MAX : tails.back(); i != SIZE_MAX; i = previous[i]) {
        kept.push_back(i);
    }
    return kept;
}

class Matcher {
public:
    Matcher(DialogMatch& match) : match_(match) {}

    void Run() {
        const CZeDialogData& oldDialog = *match_.oldDialog;
        const CZeDialogData& newDialog = *match_.newDialog;
        Pair(&oldDialog, const_cast<CZeDialogData*>(&newDialog));
        MatchCommands(oldDialog.GetCommands(), newDialog.GetCommands());
        CObjectDataList* oldRoot = oldDialog.GetRootGroup();
        CObjectDataList* newRoot = newDialog.GetRootGroup();
        if (oldRoot == nullptr || newRoot == nullptr) {
            return;
        }
        const std::vector<CObjectData*> oldObjects = ObjectsOf(oldDialog);
        const std::vector<CObjectData*> newObjects = ObjectsOf(newDialog);
        // Commands and header columns come on top of the groups and objects.
        match_.toNew.Reserve(oldObjects.size() * 3);
        match_.toOld.Reserve(newObjects.size() * 3);
        Pair(oldRoot, newRoot);
        // A name held once on each side is the same element wherever it stands.
        const auto oldNames = CountNames(oldObjects);
        const auto newNames = CountNames(newObjects);
        for (const auto& [name, entry] : newNames) {
            if (entry.count != 1) {
                continue;
            }
            const auto old = oldNames.find(name);
            if (old != oldNames.end() && old->second.count == 1 &&
                !match_.toOld.Contains(entry.first) && !match_.toNew.Contains(old->second.first) &&
                old->second.first->IsGroup() == entry.first->IsGroup()) {
                Pair(old->second.first, entry.first);
            }
        }
        // Parents before children, so the children of a group matched by
        // position are looked at after it.
        for (CObjectData* element : newObjects) {
            if (!element->IsGroup()) {
                continue;
            }
            auto* oldGroup = static_cast<const CObjectData*>(match_.OldOf(element));
            if (oldGroup != nullptr && oldGroup->IsGroup()) {
                MatchChildren(*static_cast<const CObjectDataList*>(oldGroup),
                              *static_cast<CObjectDataList*>(element));
            }
        }
        for (CObjectData* element : newObjects) {
            if (auto* old = static_cast<CObjectData*>(match_.OldOf(element))) {
                MatchHeaders(old->GetHeaders(), element->GetHeaders());
                MatchCommands(old->GetCommands(), element->GetCommands());
                if (element->GetParent() != nullptr &&
                    match_.NewOf(old->GetParent()) != element->GetParent()) {
                    match_.moved.Insert(element);
                }
            }
        }
        for (CObjectData* element : newObjects) {
            if (element->IsGroup() && match_.OldOf(element) != nullptr) {
                FindReordered(*static_cast<CObjectDataList*>(element));
            }
        }
    }

private:
    void Pair(const ZeClass* oldElement, ZeClass* newElement) {
        match_.toNew.Insert(oldElement, newElement);
        match_.toOld.Insert(newElement, const_cast<ZeClass*>(oldElement));
    }

    bool Matched(const CObjectData* element, bool isNew) const {
        return isNew ? match_.toOld.Contains(element) : match_.toNew.Contains(element);
    }

    void MatchChildren(const CObjectDataList& oldGroup, CObjectDataList& newGroup) {
        const auto& oldChildren = oldGroup.GetChildren();
        const auto& newChildren = newGroup.GetChildren();
        const auto unmatched = [this](const std::vector<CObjectData*>& children, bool isNew) {
            return std::any_of(children.begin(), children.end(),
                               [&](const CObjectData* child) { return !Matched(child, isNew); });
        };
        if (!unmatched(oldChildren, false) || !unmatched(newChildren, true)) {
            return;  // what is left on one side was added or removed
        }
        // Names held more than once: by name, in order.
        std::map<std::string_view, std::deque<CObjectData*>> oldByName;
        std::map<std::string, std::deque<CObjectData*>> oldUnnamed;
        for (CObjectData* child : oldChildren) {
            if (Matched(child, false)) {
                continue;
            }
            const std::string_view name = child->Items().GetItemView(prop::kName);
            if (name.empty()) {
                oldUnnamed[KindKey(*child)].push_back(child);
            } else {
                oldByName[name].push_back(child);
            }
        }
        for (CObjectData* child : newChildren) {
            if (Matched(child, true)) {
                continue;
            }
            const std::string_view name = child->Items().GetItemView(prop::kName);
            auto& queue = name.empty() ? oldUnnamed[KindKey(*child)] : oldByName[name];
            while (!queue.empty() && queue.front()->IsGroup() != child->IsGroup()) {
                queue.pop_front();
            }
            if (!queue.empty()) {
                Pair(queue.front(), child);
                queue.pop_front();
            }
        }
        // What is left at the same index with the same type was renamed.
        for (std::size_t i = 0; i < std::min(oldChildren.size(), newChildren.size()); ++i) {
            if (!Matched(oldChildren[i], false) && !Matched(newChildren[i], true) &&
                KindKey(*oldChildren[i]) == KindKey(*newChildren[i])) {
                Pair(oldChildren[i], newChildren[i]);
            }
        }
    }

    void MatchHeaders(const std::vector<ZeClass*>& oldHeaders,
                      const std::vector<ZeClass*>& newHeaders) {
        for (std::size_t i = 0; i < std::min(oldHeaders.size(), newHeaders.size()); ++i) {
            Pair(oldHeaders[i], newHeaders[i]);
        }
    }

    void MatchCommands(const std::vector<ZeClass*>& oldCommands,
                       const std::vector<ZeClass*>& newCommands) {
        // Mostly the same events in the same order: then the Nth of an
        // event is simply the Nth command.
        bool sameEvents = oldCommands.size() == newCommands.size();
        for (std::size_t i = 0; sameEvents && i < oldCommands.size(); ++i) {
            sameEvents = oldCommands[i]->Items().GetItemView(prop::kEvent) ==
                         newCommands[i]->Items().GetItemView(prop::kEvent);
        }
        if (sameEvents) {
            for (std::size_t i = 0; i < oldCommands.size(); ++i) {
                Pair(oldCommands[i], newCommands[i]);
            }
            return;
        }
        std::map<std::string_view, std::deque<ZeClass*>> oldByEvent;
        for (ZeClass* command : oldCommands) {
            oldByEvent[command->Items().GetItemView(prop::kEvent)].push_back(command);
        }
        for (ZeClass* command : newCommands) {
            auto& queue = oldByEvent[command->Items().GetItemView(prop::kEvent)];
            if (!queue.empty()) {
                Pair(queue.front(), command);
                queue.pop_front();
            }
        }
    }

    // Among the children that stayed in a matched group, the longest run
    // kept in the old order stayed; the others were moved.
    void FindReordered(const CObjectDataList& newGroup) {
        const auto* oldGroup = static_cast<const CObjectDataList*>(match_.OldOf(&newGroup));
        if (KeptInOrder(oldGroup->GetChildren(), newGroup.GetChildren())) {
            return;
        }
        std::vector<CObjectData*> stayed;
        std::vector<int> oldIndexes;
        std::unordered_map<const ZeClass*, int> oldIndex;
        const auto& oldChildren = oldGroup->GetChildren();
        for (std::size_t i = 0; i < oldChildren.size(); ++i) {
            oldIndex.emplace(oldChildren[i], static_cast<int>(i));
        }
        for (CObjectData* child : newGroup.GetChildren()) {
            if (match_.moved.Contains(child)) {
                continue;
            }
            const auto at = oldIndex.find(match_.OldOf(child));
            if (at != oldIndex.end()) {
                stayed.push_back(child);
                oldIndexes.push_back(at->second);
            }
        }
        if (std::is_sorted(oldIndexes.begin(), oldIndexes.end())) {
            return;
        }
        std::vector<bool> inOrder(stayed.size(), false);
        for (std::size_t i : LongestIncreasing(oldIndexes)) {
            inOrder[i] = true;
        }
        for (std::size_t i = 0; i < stayed.size(); ++i) {
            if (!inOrder[i]) {
                match_.moved.Insert(stayed[i]);
            }
        }
    }

    // Whether the children that stayed come in the old order: one pass over
    // both lists.
    bool KeptInOrder(const std::vector<CObjectData*>& oldChildren,
                     const std::vector<CObjectData*>& newChildren) const {
        std::size_t at = 0;
        for (CObjectData* child : newChildren) {
            const ZeClass* old = match_.OldOf(child);
            if (old == nullptr || match_.moved.Contains(child)) {
                continue;
            }
            while (at < oldChildren.size() && oldChildren[at] != old) {
                ++at;
            }
            if (at == oldChildren.size()) {
                return false;
            }
        }
        return true;
    }

    DialogMatch& match_;
};

}  // namespace

ZeClass* DialogMatch::NewOf(const ZeClass* element) const {
    return toNew.Get(element);
}

ZeClass* DialogMatch::OldOf(const ZeClass* element) const {
    return toOld.Get(element);
}

DialogMatch MatchDialogs(const CZeDialogData& oldDialog, const CZeDialogData& newDialog) {
    DialogMatch match;
    match.oldDialog = &oldDialog;
    match.newDialog = &newDialog;
    Matcher(match).Run();
    return match;
}

DialogPairs PairDialogs(const CZeResourceData& oldProject, const CZeResourceData& newProject) {
    DialogPairs result;
    const CZeDialogDataList& oldDialogs = oldProject.GetDialogs();
    const CZeDialogDataList& newDialogs = newProject.GetDialogs();
    std::unordered_map<std::string, const CZeDialogData*> oldByName;
    for (std::size_t i = 0; i < oldDialogs.GetCount(); ++i) {
        oldByName.emplace(oldDialogs.GetDialog(i)->GetItem(prop::kName), oldDialogs.GetDialog(i));
    }
    std::unordered_set<const CZeDialogData*> matched;
    for (std::size_t i = 0; i < newDialogs.GetCount(); ++i) {
        const CZeDialogData* dialog = newDialogs.GetDialog(i);
        const auto old = oldByName.find(dialog->GetItem(prop::kName));
        if (old == oldByName.end() || !matched.insert(old->second).second) {
            result.added.push_back(dialog);
        } else {
            result.matched.push_back({old->second, dialog});
        }
    }
    for (std::size_t i = 0; i < oldDialogs.GetCount(); ++i) {
        if (!matched.contains(oldDialogs.GetDialog(i))) {
            result.removed.push_back(oldDialogs.GetDialog(i));
        }
    }
    std::vector<int> oldIndexes;
    for (const DialogPairs::Pair& pair : result.matched) {
        oldIndexes.push_back(oldDialogs.IndexOf(pair.oldDialog));
    }
    if (!std::is_sorted(oldIndexes.begin(), oldIndexes.end())) {
        std::vector<bool> inOrder(oldIndexes.size(), false);
        for (std::size_t i : LongestIncreasing(oldIndexes)) {
            inOrder[i] = true;
        }
        for (std::size_t i = 0; i < inOrder.size(); ++i) {
            if (!inOrder[i]) {
                result.moved.insert(result.matched[i].newDialog);
            }
        }
    }
    return result;
}

std::string ElementTypeName(const CObjectData& element) {
    const std::string_view type = element.Items().GetItemView(prop::kType);
    if (!type.empty()) {
        return std::string(type);
    }
    return element.IsGroup() ? "GROUP" : "OBJECT";
}

std::string ElementSegment(const CObjectData& element) {
    const std::string_view name = element.Items().GetItemView(prop::kName);
    if (!name.empty()) {
        return std::string(name);
    }
    const CObjectDataList* parent = element.GetParent();
    const int index = parent == nullptr ? 0 : parent->IndexOf(&element);
    return ElementTypeName(element) + "#" + std::to_string(index);
}

std::string ElementPath(const CZeDialogData& dialog, const CObjectData& element) {
    std::vector<std::string> segments;
    for (const CObjectData* at = &element; at != nullptr; at = at->GetParent()) {
        segments.push_back(ElementSegment(*at));
    }
    std::string path = dialog.GetItem(prop::kName);
    for (auto segment = segments.rbegin(); segment != segments.rend(); ++segment) {
        path += '/';
        path += *segment;
    }
    return path;
}

std::string CommandSegment(const std::vector<ZeClass*>& commands, std::size_t index) {
    const std::string_view event = commands[index]->Items().GetItemView(prop::kEvent);
    int before = 0;
    for (std::size_t i = 0; i < index; ++i) {
        before += commands[i]->Items().GetItemView(prop::kEvent) == event ? 1 : 0;
    }
    std::string segment = event.empty() ? std::string("Command") : std::string(event);
    return before == 0 ? segment : segment + "#" + std::to_string(before);
}

std::string HeaderSegment(std::size_t index) {
    return "Header#" + std::to_string(index);
}

void ForEachChangedItem(const CItemList& oldItems, const CItemList& newItems,
                        const ItemChangeVisitor& visit) {
    const std::size_t count = newItems.GetItemCount();
    bool aligned = oldItems.GetItemCount() == count;
    for (std::size_t i = 0; aligned && i < count; ++i) {
        aligned = oldItems.GetItemData(i).GetInfoId() == newItems.GetItemData(i).GetInfoId() ||
                  oldItems.GetItemData(i).GetName() == newItems.GetItemData(i).GetName();
    }
    if (aligned) {
        // Elements of one schema, the common case: one pass, position by
        // position; an item named as an earlier one does not count.
        for (std::size_t i = 0; i < count; ++i) {
            const CItemData& oldItem = oldItems.GetItemData(i);
            const CItemData& newItem = newItems.GetItemData(i);
            if (oldItem.GetValue() != newItem.GetValue() &&
                oldItems.GetItemView(oldItem.GetName()).data() == oldItem.GetValue().data()) {
                visit(newItem.GetName(), oldItem.GetValue(), newItem.GetValue());
            }
        }
        return;
    }
    std::unordered_set<std::string_view> seen;
    for (std::size_t i = 0; i < count; ++i) {
        const CItemData& newItem = newItems.GetItemData(i);
        if (!seen.insert(newItem.GetName()).second) {
            continue;
        }
        const std::string_view oldValue = oldItems.GetItemView(newItem.GetName());
        if (oldValue != newItem.GetValue()) {
            visit(newItem.GetName(), oldValue, newItem.GetValue());
        }
    }
    for (std::size_t i = 0; i < oldItems.GetItemCount(); ++i) {
        const CItemData& oldItem = oldItems.GetItemData(i);
        if (seen.insert(oldItem.GetName()).second && !oldItem.GetValue().empty()) {
            visit(oldItem.GetName(), oldItem.GetValue(), std::string_view());
        }
    }
}

}  // namespace ze
