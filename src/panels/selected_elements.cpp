#include "panels/selected_elements.h"

#include "model/object_data.h"

namespace ze::panels {

CObjectData* FirstSelectedInTreeOrder(CObjectDataList& group) {
    if (group.IsSelected()) {
        return &group;
    }
    for (CObjectData* child : group.GetChildren()) {
        if (child->IsGroup()) {
            if (CObjectData* found =
                    FirstSelectedInTreeOrder(*static_cast<CObjectDataList*>(child))) {
                return found;
            }
        } else if (child->IsSelected()) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace ze::panels
