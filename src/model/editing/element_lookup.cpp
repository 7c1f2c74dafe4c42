#include "model/editing/element_lookup.h"

#include <algorithm>
#include <utility>

#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/resource_data.h"

namespace ze {

namespace {

template <typename T>
bool Holds(const std::vector<T*>& list, const ZeClass& element) {
    return std::find(list.begin(), list.end(), &element) != list.end();
}

ZeClass* OwnerBelow(CObjectData& object, const ZeClass& element) {
    if (Holds(object.GetHeaders(), element) || Holds(object.GetCommands(), element)) {
        return &object;
    }
    if (!object.IsGroup()) {
        return nullptr;
    }
    auto& group = static_cast<CObjectDataList&>(object);
    for (CObjectData* child : group.GetChildren()) {
        if (child == &element) {
            return &group;
        }
        if (ZeClass* owner = OwnerBelow(*child, element)) {
            return owner;
        }
    }
    return nullptr;
}

void VisitObject(CObjectData& object, const std::function<void(ZeClass&)>& visit) {
    visit(object);
    if (object.IsGroup()) {
        for (ZeClass* command : object.GetCommands()) {
            visit(*command);
        }
        for (CObjectData* child : static_cast<CObjectDataList&>(object).GetChildren()) {
            VisitObject(*child, visit);
        }
        return;
    }
    for (ZeClass* column : object.GetHeaders()) {
        visit(*column);
    }
    for (ZeClass* command : object.GetCommands()) {
        visit(*command);
    }
}

}  // namespace

ZeClass* FindOwner(const CZeDialogData& dialog, const ZeClass& element) {
    auto& owner = const_cast<CZeDialogData&>(dialog);
    if (Holds(owner.GetCommands(), element) || owner.GetRootGroup() == &element) {
        return &owner;
    }
    // Elements of another dialog's store cannot be in this tree.
    if (element.GetStore() != &owner.GetElementStore() || owner.GetRootGroup() == nullptr) {
        return nullptr;
    }
    return OwnerBelow(*owner.GetRootGroup(), element);
}

bool IsInTree(const CZeDialogData& dialog, const ZeClass& element) {
    return &element == &dialog || FindOwner(dialog, element) != nullptr;
}

CZeDialogData* FindDialogOf(const CZeResourceData& project, const ZeClass& element) {
    const CZeDialogDataList& dialogs = project.GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        CZeDialogData* dialog = dialogs.GetDialog(i);
        if (dialog == &element) {
            return dialog;
        }
        if (element.GetStore() == &std::as_const(*dialog).GetElementStore()) {
            return FindOwner(*dialog, element) != nullptr ? dialog : nullptr;
        }
    }
    return nullptr;
}

CZeDialogData* FindDialogBySerial(const CZeResourceData& project, std::uint64_t serial) {
    const CZeDialogDataList& dialogs = project.GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        if (dialogs.GetDialog(i)->GetSerial() == serial) {
            return dialogs.GetDialog(i);
        }
    }
    return nullptr;
}

void ForEachInTree(const CZeDialogData& dialog, const std::function<void(ZeClass&)>& visit) {
    for (ZeClass* command : dialog.GetCommands()) {
        visit(*command);
    }
    if (CObjectDataList* root = dialog.GetRootGroup()) {
        VisitObject(*root, visit);
    }
}

std::vector<ZeClass*> TreeElements(const CZeDialogData& dialog) {
    std::vector<ZeClass*> elements;
    ForEachInTree(dialog, [&elements](ZeClass& element) { elements.push_back(&element); });
    return elements;
}

}  // namespace ze
