#include "model/project_merge.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "model/background_worker.h"
#include "model/dialog_data.h"
#include "model/element_names.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/project_match.h"
#include "model/property_names.h"
#include "model/resource_data.h"

namespace ze {

namespace {

using OwnerMap = PointerMap<const ZeClass*, const ZeClass*>;

// From this many elements in the dialogs kept on both sides on, dialogs are
// merged on two threads.
constexpr std::size_t kSharedFrom = 20000;

// The elements of a dialog's tree in tree order, with their holders.
struct TreeIndex {
    OwnerMap owners;
    std::vector<const ZeClass*> order;
};

const std::vector<ZeClass*>& CommandsOf(const ZeClass& owner) {
    if (owner.GetKind() == ElementKind::kDialog) {
        return static_cast<const CZeDialogData&>(owner).GetCommands();
    }
    return static_cast<const CObjectData&>(owner).GetCommands();
}

std::vector<ZeClass*>& CommandsOf(ZeClass& owner) {
    if (owner.GetKind() == ElementKind::kDialog) {
        return static_cast<CZeDialogData&>(owner).GetCommands();
    }
    return static_cast<CObjectData&>(owner).GetCommands();
}

bool IsObject(const ZeClass& element) {
    return element.GetKind() == ElementKind::kObject || element.GetKind() == ElementKind::kGroup;
}

template <class Visit>
void VisitBelow(const CObjectData& element, const ZeClass& owner, Visit& visit) {
    visit(&element, &owner);
    for (const ZeClass* header : element.GetHeaders()) {
        visit(header, &element);
    }
    for (const ZeClass* command : element.GetCommands()) {
        visit(command, &element);
    }
    if (element.IsGroup()) {
        for (const CObjectData* child :
             static_cast<const CObjectDataList&>(element).GetChildren()) {
            VisitBelow(*child, element, visit);
        }
    }
}

// Calls visit(element, holder) for every element of dialog's tree in tree
// order, with the element whose list holds it (the dialog for its commands
// and its root group).
template <class Visit>
void ForEachHeld(const CZeDialogData& dialog, Visit&& visit) {
    for (const ZeClass* command : dialog.GetCommands()) {
        visit(command, &dialog);
    }
    if (const CObjectDataList* root = dialog.GetRootGroup()) {
        VisitBelow(*root, dialog, visit);
    }
}

TreeIndex IndexTree(const CZeDialogData& dialog) {
    TreeIndex index;
    // The store holds about what the tree does.
    index.owners.Reserve(dialog.GetElementStore().Count());
    index.order.reserve(dialog.GetElementStore().Count());
    ForEachHeld(dialog, [&index](const ZeClass* element, const ZeClass* owner) {
        index.owners.Insert(element, owner);
        index.order.push_back(element);
    });
    return index;
}

OwnerMap OwnersOf(const CZeDialogData& dialog) {
    OwnerMap owners;
    owners.Reserve(dialog.GetElementStore().Count());
    ForEachHeld(dialog, [&owners](const ZeClass* element, const ZeClass* owner) {
        owners.Insert(element, owner);
    });
    return owners;
}

const ZeClass* OwnerOf(const OwnerMap& owners, const ZeClass* element) {
    return owners.Get(element);
}

bool ItemsDiffer(const ZeClass& a, const ZeClass& b) {
    if (a.Items().IsSameItems(b.Items())) {
        return false;  // the common case, found in one pass
    }
    bool differ = false;
    ForEachChangedItem(
        a.Items(), b.Items(),
        [&](std::string_view, std::string_view, std::string_view) { differ = true; });
    return differ;
}

// The path of any element of dialog's tree.
std::string PathOf(const CZeDialogData& dialog, const OwnerMap& owners, const ZeClass& element) {
    if (&element == &dialog) {
        return dialog.GetItem(prop::kName);
    }
    if (IsObject(element)) {
        return ElementPath(dialog, static_cast<const CObjectData&>(element));
    }
    const ZeClass* owner = OwnerOf(owners, &element);
    if (owner == nullptr) {
        return dialog.GetItem(prop::kName);
    }
    const std::string ownerPath = PathOf(dialog, owners, *owner);
    if (element.GetKind() == ElementKind::kHeaderColumn) {
        const auto& headers = static_cast<const CObjectData*>(owner)->GetHeaders();
        return ownerPath + "/" +
               HeaderSegment(static_cast<std::size_t>(
                   std::find(headers.begin(), headers.end(), &element) - headers.begin()));
    }
    const auto& commands = CommandsOf(*owner);
    const auto at = std::find(commands.begin(), commands.end(), &element);
    return at == commands.end()
               ? ownerPath
               : ownerPath + "/" +
                     CommandSegment(commands, static_cast<std::size_t>(at - commands.begin()));
}

// The base elements below which a side changed something: an element whose
// properties changed or that was moved, and every element holding it on
// that side; the holder of an element added or removed.
PointerSet<const ZeClass*> ChangedBelow(const DialogMatch& match, const OwnerMap& sideOwners) {
    PointerSet<const ZeClass*> changed;
    const auto mark = [&](const ZeClass* sideElement) {
        for (const ZeClass* at = sideElement; at != nullptr; at = OwnerOf(sideOwners, at)) {
            const ZeClass* base = match.OldOf(at);
            if (base != nullptr && !changed.Insert(base)) {
                break;
            }
        }
    };
    if (ItemsDiffer(*match.oldDialog, *match.newDialog)) {
        changed.Insert(match.oldDialog);
    }
    sideOwners.ForEach([&](const ZeClass* sideElement, const ZeClass* owner) {
        const ZeClass* base = match.OldOf(sideElement);
        if (base == nullptr) {
            mark(owner);
        } else if (match.moved.Contains(sideElement) || ItemsDiffer(*base, *sideElement)) {
            mark(sideElement);
        }
    });
    ForEachHeld(*match.oldDialog, [&](const ZeClass* baseElement, const ZeClass* owner) {
        if (match.NewOf(baseElement) == nullptr) {
            mark(match.NewOf(owner));
        }
    });
    return changed;
}

// What one side did to a dialog of the base: its tree's holders, and the
// base elements below which it changed something (ChangedBelow).
struct SideChanges {
    OwnerMap owners;
    PointerSet<const ZeClass*> changed;
};

SideChanges SideChangesOf(const DialogMatch& match) {
    SideChanges side;
    side.owners = OwnersOf(*match.newDialog);
    side.changed = ChangedBelow(match, side.owners);
    return side;
}

// A copy of from (its items, and a group's or object's header columns and
// commands, not its children) made in store.
ZeClass* CopyPlain(ElementStore& store, const ZeClass& from) {
    ZeClass* copy = store.Create<ZeClass>(from.GetKind());
    copy->Items().CopyItems(from.Items());
    return copy;
}

CObjectData* CopyShallow(ElementStore& store, CObjectDataList* parent, const CObjectData& from) {
    CObjectData* copy =
        from.IsGroup() ? store.Create<CObjectDataList>(parent) : store.Create<CObjectData>(parent);
    copy->Items().CopyItems(from.Items());
    for (const ZeClass* header : from.GetHeaders()) {
        copy->AddHeader(CopyPlain(store, *header));
    }
    for (const ZeClass* command : from.GetCommands()) {
        copy->AddChild(CopyPlain(store, *command));
    }
    return copy;
}

CObjectData* CopyDeep(ElementStore& store, CObjectDataList* parent, const CObjectData& from) {
    CObjectData* copy = CopyShallow(store, parent, from);
    if (from.IsGroup()) {
        for (const CObjectData* child : static_cast<const CObjectDataList&>(from).GetChildren()) {
            static_cast<CObjectDataList*>(copy)->AddObject(
                CopyDeep(store, static_cast<CObjectDataList*>(copy), *child));
        }
    }
    return copy;
}

std::string TextOf(const CObjectData& element) {
    CJsonString text;
    element.WriteText(text, 0);
    return text.TakeText();
}

std::string DialogText(const CZeDialogData& dialog) {
    CJsonString text;
    dialog.WriteDialogMessage(text, 0);
    return text.TakeText();
}

std::string Place(const CObjectData& element) {
    const CObjectDataList* parent = element.GetParent();
    if (parent == nullptr) {
        return "[0]";
    }
    return ElementSegment(*parent) + "[" + std::to_string(parent->IndexOf(&element)) + "]";
}

// Sets a property of element to value, adding the item as from holds it
// when element has none of that name.
void SetProperty(ZeClass& element, const ZeClass& from, std::string_view name,
                 std::string_view value) {
    if (element.SetItem(name, value)) {
        return;
    }
    const CItemList& items = from.Items();
    for (std::size_t i = 0; i < items.GetItemCount(); ++i) {
        if (items.GetItemData(i).GetName() == name) {
            element.Items().AddItem(CItemData(items.GetItemData(i).GetInfo(), value));
            return;
        }
    }
    element.Items().AddItem(CItemData(ItemKind::kPlainText, name, value, nullptr, nullptr));
}

// The three-way rule for one element's properties: a property theirs
// changed since base takes theirs' value where ours left it as it was. One
// both sides set to different values, and a value taken(name, value) says
// ours cannot take, keep ours and go to conflict(name, ours, theirs).
template <class Taken, class Conflict>
void MergeItems(const ZeClass& base, ZeClass& ours, const ZeClass& theirs, const Taken& taken,
                const Conflict& conflict) {
    ForEachChangedItem(
        base.Items(), theirs.Items(),
        [&](std::string_view name, std::string_view baseValue, std::string_view theirValue) {
            const std::string ourValue(ours.Items().GetItemView(name));
            if (ourValue == theirValue) {
                return;
            }
            if (ourValue != baseValue || taken(name, theirValue)) {
                conflict(name, ourValue, theirValue);
                return;
            }
            SetProperty(ours, theirs, name, theirValue);
        });
}

class DialogMerger {
public:
    // Takes ourSide over: its holders follow the merged tree.
    DialogMerger(const DialogMatch& toOurs, SideChanges& ourSide, const DialogMatch& toTheirs,
                 const SideChanges& theirSide, std::vector<MergeConflict>& conflicts)
        : toOurs_(toOurs),
          toTheirs_(toTheirs),
          base_(*toOurs.oldDialog),
          ours_(const_cast<CZeDialogData&>(*toOurs.newDialog)),
          theirs_(*toTheirs.newDialog),
          conflicts_(conflicts),
          baseTree_(IndexTree(base_)),
          baseOwners_(baseTree_.owners),
          ourOwners_(ourSide.owners),
          theirOwners_(theirSide.owners),
          changedByOurs_(ourSide.changed),
          changedByTheirs_(theirSide.changed) {}

    void Run() {
        if (changedByTheirs_.Empty()) {
            return;  // theirs left the dialog as it was
        }
        dialogName_ = ours_.GetItem(prop::kName);
        MergeProperties(base_, ours_, theirs_);
        for (const ZeClass* baseElement : baseTree_.order) {
            if (!changedByTheirs_.Contains(baseElement)) {
                continue;  // theirs changed nothing in it or below
            }
            if (ZeClass* ourElement = toOurs_.NewOf(baseElement)) {
                if (const ZeClass* theirElement = toTheirs_.NewOf(baseElement)) {
                    if (!TakeNewKind(*baseElement, *ourElement, *theirElement)) {
                        MergeProperties(*baseElement, *ourElement, *theirElement);
                    }
                }
            }
        }
        Removals();
        MergeCommands(ours_, theirs_);
        if (CObjectDataList* root = ours_.GetRootGroup()) {
            if (const CObjectDataList* theirRoot = theirs_.GetRootGroup()) {
                if (toOurs_.OldOf(root) != nullptr &&
                    toTheirs_.OldOf(theirRoot) == toOurs_.OldOf(root)) {
                    fromTheirs_.Insert(theirRoot, root);
                    MergeCommands(*root, *theirRoot);
                    Walk(*theirRoot);
                }
            }
        }
    }

private:
    void Conflict(const ZeClass& ourElement, std::string property, std::string ours,
                  std::string theirs) {
        conflicts_.push_back({dialogName_, PathOf(ours_, OwnersNow(), ourElement),
                              std::move(property), std::move(ours), std::move(theirs)});
    }

    void ConflictAtBase(const ZeClass& baseElement, std::string ours, std::string theirs) {
        conflicts_.push_back({dialogName_, PathOf(base_, baseOwners_, baseElement), std::string(),
                              std::move(ours), std::move(theirs)});
    }

    // The owners of the merged tree as it is now; the map of ours stays
    // right for everything but what the merge moved or added.
    const OwnerMap& OwnersNow() {
        if (treeEdited_) {
            ourOwners_ = OwnersOf(ours_);
            treeEdited_ = false;
        }
        return ourOwners_;
    }

    // The property whose value decides an element's items: a command's
    // Command, an object's Type, a group's Layout.
    static std::string_view KindProperty(const ZeClass& element) {
        switch (element.GetKind()) {
            case ElementKind::kCommand:
                return prop::kCommand;
            case ElementKind::kObject:
                return prop::kType;
            case ElementKind::kGroup:
                return prop::kLayout;
            default:
                return {};
        }
    }

    // When theirs made the element another kind of command, object or
    // group, its items are another list: ours takes theirs' whole when it
    // left the element alone, and keeps its own (a conflict) when it changed
    // it otherwise. False when theirs kept the kind (or ours made the same
    // change), for the property-wise merge.
    bool TakeNewKind(const ZeClass& base, ZeClass& ours, const ZeClass& theirs) {
        const std::string_view key = KindProperty(base);
        if (key.empty()) {
            return false;
        }
        const std::string_view theirKind = theirs.Items().GetItemView(key);
        const std::string ourKind(ours.Items().GetItemView(key));
        if (base.Items().GetItemView(key) == theirKind || ourKind == theirKind) {
            return false;
        }
        if (!ours.Items().IsSameItems(base.Items())) {
            Conflict(ours, std::string(key), ourKind, std::string(theirKind));
            return true;
        }
        const std::string ourName = ours.GetItem(prop::kName);
        ours.Items().CopyItems(theirs.Items());
        const std::string theirName = ours.GetItem(prop::kName);
        if (IsObject(ours) && theirName != ourName &&
            FindNameHolder(ours_, ours, theirName) != nullptr) {
            ours.SetItem(prop::kName, ourName);
            Conflict(ours, std::string(prop::kName), ourName, theirName);
        }
        return true;
    }

    void MergeProperties(const ZeClass& base, ZeClass& ours, const ZeClass& theirs) {
        MergeItems(
            base, ours, theirs,
            // A name another element of ours holds stays ours'.
            [&](std::string_view name, std::string_view value) {
                return name == prop::kName && IsObject(ours) &&
                       FindNameHolder(ours_, ours, value) != nullptr;
            },
            [&](std::string_view name, const std::string& ourValue, std::string_view theirValue) {
                Conflict(ours, std::string(name), ourValue, std::string(theirValue));
            });
    }

    // What theirs removed and ours left alone goes; what ours removed
    // stays removed.
    void Removals() {
        for (const ZeClass* baseElement : baseTree_.order) {
            const ZeClass* baseOwner = OwnerOf(baseOwners_, baseElement);
            ZeClass* ourElement = toOurs_.NewOf(baseElement);
            const ZeClass* theirElement = toTheirs_.NewOf(baseElement);
            if ((ourElement == nullptr) == (theirElement == nullptr)) {
                continue;
            }
            const DialogMatch& removing = ourElement == nullptr ? toOurs_ : toTheirs_;
            const DialogMatch& keeping = ourElement == nullptr ? toTheirs_ : toOurs_;
            const OwnerMap& keepingOwners = ourElement == nullptr ? theirOwners_ : ourOwners_;
            // Gone with a holder the same side removed, if it was still there.
            const ZeClass* kept = ourElement != nullptr ? ourElement : theirElement;
            if (removing.NewOf(baseOwner) == nullptr &&
                OwnerOf(keepingOwners, kept) == keeping.NewOf(baseOwner)) {
                continue;
            }
            const auto& changed = ourElement == nullptr ? changedByTheirs_ : changedByOurs_;
            if (changed.Contains(baseElement)) {
                if (ourElement == nullptr) {
                    ConflictAtBase(*baseElement, "removed", "changed");
                } else {
                    Conflict(*ourElement, std::string(), "changed", "removed");
                }
                continue;
            }
            if (ourElement != nullptr) {
                Detach(*ourElement);
            }
        }
    }

    void Detach(ZeClass& element) {
        if (IsObject(element)) {
            auto& object = static_cast<CObjectData&>(element);
            if (CObjectDataList* parent = object.GetParent()) {
                parent->Remove(&object, false);
            } else if (ours_.GetRootGroup() == &object) {
                ours_.SetRootGroup(nullptr);
            }
        } else if (ZeClass* owner = const_cast<ZeClass*>(OwnerOf(OwnersNow(), &element))) {
            std::vector<ZeClass*>& list = element.GetKind() == ElementKind::kHeaderColumn
                                              ? static_cast<CObjectData*>(owner)->GetHeaders()
                                              : CommandsOf(*owner);
            list.erase(std::remove(list.begin(), list.end(), &element), list.end());
        }
        treeEdited_ = true;
    }

    // The element of the merged tree standing for an element of theirs.
    ZeClass* Merged(const ZeClass* theirElement) const {
        if (ZeClass* merged = fromTheirs_.Get(theirElement)) {
            return merged;
        }
        const ZeClass* base = toTheirs_.OldOf(theirElement);
        return base == nullptr ? nullptr : toOurs_.NewOf(base);
    }

    // Adds theirs' new commands and header columns to a merged owner, each
    // after the one it followed in theirs.
    void MergeCommands(ZeClass& ours, const ZeClass& theirs) {
        AddNew(CommandsOf(theirs), CommandsOf(ours));
        if (IsObject(theirs)) {
            AddNew(static_cast<const CObjectData&>(theirs).GetHeaders(),
                   static_cast<CObjectData&>(ours).GetHeaders());
        }
    }

    void AddNew(const std::vector<ZeClass*>& theirList, std::vector<ZeClass*>& ourList) {
        for (std::size_t i = 0; i < theirList.size(); ++i) {
            if (toTheirs_.OldOf(theirList[i]) != nullptr) {
                continue;
            }
            std::size_t insertAt = 0;
            for (std::size_t j = i; j-- > 0;) {
                const auto at = std::find(ourList.begin(), ourList.end(), Merged(theirList[j]));
                if (at != ourList.end()) {
                    insertAt = static_cast<std::size_t>(at - ourList.begin()) + 1;
                    break;
                }
            }
            ZeClass* copy = CopyPlain(ours_.GetElementStore(), *theirList[i]);
            ourList.insert(ourList.begin() + static_cast<std::ptrdiff_t>(insertAt), copy);
            fromTheirs_.Insert(theirList[i], copy);
            treeEdited_ = true;
        }
    }

    // The index in parent right after the merged counterpart of the nearest
    // sibling before theirElement in theirs that is in parent; 0 without one.
    std::size_t IndexAfterSibling(const CObjectDataList& parent,
                                  const CObjectData& theirElement) const {
        const auto& siblings = theirElement.GetParent()->GetChildren();
        const auto self = std::find(siblings.begin(), siblings.end(), &theirElement);
        for (auto at = self; at != siblings.begin();) {
            --at;
            const auto* before = static_cast<const CObjectData*>(Merged(*at));
            const int index = before == nullptr ? -1 : parent.IndexOf(before);
            if (index >= 0) {
                return static_cast<std::size_t>(index) + 1;
            }
        }
        return 0;
    }

    // Puts element into parent after the merged counterpart of the nearest
    // sibling before theirElement in theirs that is in parent, or first.
    void PlaceAfterSibling(CObjectData& element, CObjectDataList& parent,
                           const CObjectData& theirElement) {
        const std::size_t index = IndexAfterSibling(parent, theirElement);
        if (index == 0) {
            parent.InsertBefore(&element, nullptr);
        } else {
            parent.InsertAfter(&element, parent.GetChildren()[index - 1]);
        }
        treeEdited_ = true;
    }

    // An element ours added, like theirChild, where theirs would put it:
    // the same addition made on both sides (a change picked into both).
    const CObjectData* AddedAlike(const CObjectDataList& parent,
                                  const CObjectData& theirChild) const {
        const auto& children = parent.GetChildren();
        std::string text;
        for (std::size_t i = IndexAfterSibling(parent, theirChild); i < children.size(); ++i) {
            const CObjectData* candidate = children[i];
            if (toOurs_.OldOf(candidate) != nullptr) {
                break;  // the additions of ours there end at an element of the base
            }
            if (claimed_.Contains(candidate)) {
                continue;
            }
            if (text.empty()) {
                text = TextOf(theirChild);
            }
            if (TextOf(*candidate) == text) {
                return candidate;
            }
        }
        return nullptr;
    }

    // Theirs' tree, parents first: its moves and its new elements.
    void Walk(const CObjectData& theirElement) {
        if (!theirElement.IsGroup()) {
            return;
        }
        for (const CObjectData* child :
             static_cast<const CObjectDataList&>(theirElement).GetChildren()) {
            auto* parent = static_cast<CObjectDataList*>(Merged(&theirElement));
            if (parent == nullptr) {
                continue;  // its holder is gone; told where it went
            }
            if (const ZeClass* base = toTheirs_.OldOf(child)) {
                auto* ourChild = static_cast<CObjectData*>(toOurs_.NewOf(base));
                if (ourChild == nullptr) {
                    continue;
                }
                if (toTheirs_.moved.Contains(child)) {
                    Move(*ourChild, *parent, *child);
                }
                if (changedByTheirs_.Contains(base)) {
                    MergeCommands(*ourChild, *child);
                    Walk(*child);
                }
            } else {
                Add(*child, *parent);
            }
        }
    }

    void Move(CObjectData& ourChild, CObjectDataList& parent, const CObjectData& theirChild) {
        if (toOurs_.moved.Contains(&ourChild)) {
            // Moved on both sides: fine when to the same place.
            const auto* theirBefore = Before(theirChild);
            const auto* ourBefore = Before(ourChild);
            const bool same =
                ourChild.GetParent() == &parent &&
                (theirBefore == nullptr ? ourBefore == nullptr : Merged(theirBefore) == ourBefore);
            if (!same) {
                Conflict(ourChild, std::string(), Place(ourChild), Place(theirChild));
            }
            return;
        }
        if (&ourChild == &parent ||
            (ourChild.IsGroup() && static_cast<CObjectDataList&>(ourChild).Holds(&parent))) {
            Conflict(ourChild, std::string(), Place(ourChild), Place(theirChild));
            return;
        }
        if (CObjectDataList* from = ourChild.GetParent()) {
            from->Remove(&ourChild, false);
        }
        PlaceAfterSibling(ourChild, parent, theirChild);
    }

    static const CObjectData* Before(const CObjectData& element) {
        const CObjectDataList* parent = element.GetParent();
        const int index = parent == nullptr ? -1 : parent->IndexOf(&element);
        return index > 0 ? parent->GetChildren()[static_cast<std::size_t>(index) - 1] : nullptr;
    }

    void Add(const CObjectData& theirChild, CObjectDataList& parent) {
        if (const CObjectData* alike = AddedAlike(parent, theirChild)) {
            MapAlike(*alike, theirChild);
            return;
        }
        const std::string name = theirChild.GetItem(prop::kName);
        std::string newName;
        if (!name.empty() && FindNameHolder(ours_, ours_, name) != nullptr) {
            newName = name;
        }
        CObjectData* copy = CopyShallow(ours_.GetElementStore(), &parent, theirChild);
        PlaceAfterSibling(*copy, parent, theirChild);
        fromTheirs_.Insert(&theirChild, copy);
        claimed_.Insert(copy);
        if (!newName.empty()) {
            const std::string stem = NameStem(*copy);
            int number = 1;
            do {
                newName = stem + std::to_string(number++);
            } while (FindNameHolder(ours_, *copy, newName) != nullptr);
            copy->SetItem(prop::kName, newName);
            Conflict(*copy, std::string(prop::kName), name, newName);
        }
        Walk(theirChild);
    }

    void MapAlike(const CObjectData& ours, const CObjectData& theirs) {
        fromTheirs_.Insert(&theirs, const_cast<CObjectData*>(&ours));
        claimed_.Insert(&ours);
        if (ours.IsGroup()) {
            const auto& ourChildren = static_cast<const CObjectDataList&>(ours).GetChildren();
            const auto& theirChildren = static_cast<const CObjectDataList&>(theirs).GetChildren();
            for (std::size_t i = 0; i < std::min(ourChildren.size(), theirChildren.size()); ++i) {
                MapAlike(*ourChildren[i], *theirChildren[i]);
            }
        }
    }

    const DialogMatch& toOurs_;
    const DialogMatch& toTheirs_;
    const CZeDialogData& base_;
    CZeDialogData& ours_;
    const CZeDialogData& theirs_;
    std::vector<MergeConflict>& conflicts_;
    TreeIndex baseTree_;
    const OwnerMap& baseOwners_;
    OwnerMap& ourOwners_;
    const OwnerMap& theirOwners_;
    const PointerSet<const ZeClass*>& changedByOurs_;
    const PointerSet<const ZeClass*>& changedByTheirs_;
    PointerMap<const ZeClass*, ZeClass*> fromTheirs_;
    // Elements of ours that stand for an element of theirs already.
    PointerSet<const ZeClass*> claimed_;
    std::string dialogName_;
    bool treeEdited_ = false;
};

std::unique_ptr<CZeDialogData> CopyDialog(const CZeDialogData& from, std::string_view name) {
    auto copy = std::make_unique<CZeDialogData>(name);
    copy->Items().CopyItems(from.Items());
    copy->SetItem(prop::kName, name);
    ElementStore& store = copy->GetElementStore();
    for (const ZeClass* command : from.GetCommands()) {
        copy->AddCommand(CopyPlain(store, *command));
    }
    if (const CObjectDataList* root = from.GetRootGroup()) {
        copy->SetRootGroup(static_cast<CObjectDataList*>(CopyDeep(store, nullptr, *root)));
    }
    copy->StartHistory();
    return copy;
}

}  // namespace

std::string ConflictLine(const MergeConflict& conflict) {
    std::string line = "CONFLICT " + conflict.path + ": ";
    if (!conflict.property.empty()) {
        line += conflict.property + ": ";
    }
    return line + "ours " + conflict.ours + " theirs " + conflict.theirs;
}

std::vector<MergeConflict> MergeProjects(const CZeResourceData& base, CZeResourceData& ours,
                                         const CZeResourceData& theirs) {
    std::vector<MergeConflict> conflicts;
    // The project's own properties.
    MergeItems(
        base, ours, theirs, [](std::string_view, std::string_view) { return false; },
        [&](std::string_view name, const std::string& ourValue, std::string_view theirValue) {
            conflicts.push_back(
                {std::string(), "/", std::string(name), ourValue, std::string(theirValue)});
        });

    const DialogPairs toOurs = PairDialogs(base, ours);
    const DialogPairs toTheirs = PairDialogs(base, theirs);
    std::unordered_map<const CZeDialogData*, const CZeDialogData*> ourMatch;
    for (const DialogPairs::Pair& pair : toOurs.matched) {
        ourMatch.emplace(pair.oldDialog, pair.newDialog);
    }
    std::unordered_map<const CZeDialogData*, const CZeDialogData*> theirMatch;
    for (const DialogPairs::Pair& pair : toTheirs.matched) {
        theirMatch.emplace(pair.oldDialog, pair.newDialog);
    }
    const auto sideOf = [](const auto& matches, const CZeDialogData* baseDialog) {
        const auto at = matches.find(baseDialog);
        return at == matches.end() ? nullptr : at->second;
    };
    // A dialog kept on both sides is merged on its own, those of a large
    // project on two threads: each touches only its own dialog of ours.
    const CZeDialogDataList& baseDialogs = base.GetDialogs();
    std::vector<const CZeDialogData*> onBoth;
    std::size_t elements = 0;
    for (std::size_t i = 0; i < baseDialogs.GetCount(); ++i) {
        const CZeDialogData* baseDialog = baseDialogs.GetDialog(i);
        if (sideOf(ourMatch, baseDialog) != nullptr && sideOf(theirMatch, baseDialog) != nullptr) {
            onBoth.push_back(baseDialog);
            elements += baseDialog->GetElementStore().Count();
        }
    }
    std::vector<std::vector<MergeConflict>> dialogConflicts(onBoth.size());
    const auto mergeDialog = [&](std::size_t i) {
        const DialogMatch toOurDialog = MatchDialogs(*onBoth[i], *sideOf(ourMatch, onBoth[i]));
        const DialogMatch toTheirDialog = MatchDialogs(*onBoth[i], *sideOf(theirMatch, onBoth[i]));
        SideChanges ourSide = SideChangesOf(toOurDialog);
        const SideChanges theirSide = SideChangesOf(toTheirDialog);
        DialogMerger(toOurDialog, ourSide, toTheirDialog, theirSide, dialogConflicts[i]).Run();
    };
    if (elements >= kSharedFrom) {
        ShareIndexes(onBoth.size(), mergeDialog);
    } else {
        for (std::size_t i = 0; i < onBoth.size(); ++i) {
            mergeDialog(i);
        }
    }
    // A dialog removed on one side: removed when the other left it alone.
    const auto changedOn = [](const CZeDialogData& baseDialog, const CZeDialogData& sideDialog) {
        return !SideChangesOf(MatchDialogs(baseDialog, sideDialog)).changed.Empty();
    };
    CZeDialogDataList& dialogs = ours.GetDialogs();
    std::vector<const CZeDialogData*> toDelete;
    std::size_t merged = 0;
    for (std::size_t i = 0; i < baseDialogs.GetCount(); ++i) {
        const CZeDialogData* baseDialog = baseDialogs.GetDialog(i);
        const CZeDialogData* ourDialog = sideOf(ourMatch, baseDialog);
        const CZeDialogData* theirDialog = sideOf(theirMatch, baseDialog);
        const std::string name = baseDialog->GetItem(prop::kName);
        if (ourDialog != nullptr && theirDialog != nullptr) {
            std::move(dialogConflicts[merged].begin(), dialogConflicts[merged].end(),
                      std::back_inserter(conflicts));
            ++merged;
        } else if (ourDialog != nullptr) {
            if (changedOn(*baseDialog, *ourDialog)) {
                conflicts.push_back({name, name, std::string(), "changed", "removed"});
            } else {
                toDelete.push_back(ourDialog);
            }
        } else if (theirDialog != nullptr && changedOn(*baseDialog, *theirDialog)) {
            conflicts.push_back({name, name, std::string(), "removed", "changed"});
        }
    }
    for (const CZeDialogData* dialog : toDelete) {
        dialogs.DeleteDialog(dialog);
    }
    // Theirs' new and moved dialogs, each after the dialog it followed in
    // theirs.
    std::unordered_set<const CZeDialogData*> added(toTheirs.added.begin(), toTheirs.added.end());
    std::unordered_map<const CZeDialogData*, const CZeDialogData*> theirBase;
    for (const DialogPairs::Pair& pair : toTheirs.matched) {
        theirBase.emplace(pair.newDialog, pair.oldDialog);
    }
    const auto placeAfter = [&dialogs](std::size_t at, const std::string& previous) {
        const CZeDialogData* after = previous.empty() ? nullptr : dialogs.FindDialog(previous);
        std::size_t wanted =
            after == nullptr ? 0 : static_cast<std::size_t>(dialogs.IndexOf(after)) + 1;
        if (wanted > at) {
            --wanted;  // the dialog leaves its place before the one after
        }
        for (; at > wanted; --at) {
            dialogs.Swap(at, at - 1);
        }
        for (; at < wanted; ++at) {
            dialogs.Swap(at, at + 1);
        }
    };
    const CZeDialogDataList& theirDialogs = theirs.GetDialogs();
    std::string previous;  // the Name of the dialog before, in theirs
    for (std::size_t i = 0; i < theirDialogs.GetCount(); ++i) {
        const CZeDialogData* dialog = theirDialogs.GetDialog(i);
        const std::string name = dialog->GetItem(prop::kName);
        if (!added.contains(dialog)) {
            const CZeDialogData* ourDialog = dialogs.FindDialog(name);
            if (ourDialog == nullptr) {
                continue;
            }
            const auto baseAt = theirBase.find(dialog);
            const auto ourAt =
                baseAt == theirBase.end() ? ourMatch.end() : ourMatch.find(baseAt->second);
            if (toTheirs.moved.contains(dialog) && ourAt != ourMatch.end() &&
                ourAt->second == ourDialog) {
                const std::size_t at = static_cast<std::size_t>(dialogs.IndexOf(ourDialog));
                const std::string ourPrevious =
                    at == 0 ? std::string() : dialogs.GetDialog(at - 1)->GetItem(prop::kName);
                if (!toOurs.moved.contains(ourDialog)) {
                    placeAfter(at, previous);
                } else if (ourPrevious != previous) {
                    conflicts.push_back({name, name, std::string(), "[" + std::to_string(at) + "]",
                                         "[" + std::to_string(i) + "]"});
                }
            }
            previous = name;
            continue;
        }
        std::string newName = name;
        if (const CZeDialogData* holder = dialogs.FindDialog(name)) {
            if (DialogText(*holder) == DialogText(*dialog)) {
                previous = name;
                continue;  // added alike on both sides
            }
            newName = dialogs.MakeUniqueName(name);
            conflicts.push_back({newName, name, std::string(prop::kName), name, newName});
        }
        placeAfter(dialogs.AddDialog(CopyDialog(*dialog, newName)), previous);
        previous = newName;
    }
    return conflicts;
}

}  // namespace ze
