#include "model/element_store.h"
#include "model/object_data.h"
#include "model/schema.h"

namespace ze {

CObjectDataList* GroupSelected(CObjectDataList& root, CObjectData& chosen) {
    CObjectDataList* parent = chosen.GetParent();
    ElementStore* store = chosen.GetStore();
    if (parent == nullptr || store == nullptr || root.CountSelected() == 0) {
        return nullptr;
    }
    auto* group = store->Create<CObjectDataList>(parent);
    AddGroupItems(group->Items(), GroupLayout::kLinear);
    group->SetExpanded(true);
    parent->InsertBefore(group, &chosen);
    root.MoveIfSelected(*group);
    group->SetSelected(true);
    return group;
}

CObjectData* Ungroup(CObjectDataList& group) {
    CObjectDataList* parent = group.GetParent();
    if (parent == nullptr || group.GetChildren().empty()) {
        return nullptr;
    }
    const int index = parent->IndexOf(&group);
    if (index < 0) {
        return nullptr;
    }
    std::vector<CObjectData*> moved;
    moved.swap(group.GetChildren());
    auto& siblings = parent->GetChildren();
    siblings.insert(siblings.begin() + index, moved.begin(), moved.end());
    for (CObjectData* child : moved) {
        child->SetParent(parent);
    }
    parent->Remove(&group, false);
    return moved.front();
}

}  // namespace ze
