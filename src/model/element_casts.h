#pragma once

#include <span>

#include "model/object_data.h"
#include "model/ze_class.h"

// Checked ways from a general element to an object or group, so that code
// outside the model never casts an element itself.
namespace ze {

// element as an object or group; null for any other kind of element (and
// for null).
inline CObjectData* AsObject(ZeClass* element) {
    return element != nullptr && (element->GetKind() == ElementKind::kObject ||
                                  element->GetKind() == ElementKind::kGroup)
               ? static_cast<CObjectData*>(element)
               : nullptr;
}
inline const CObjectData* AsObject(const ZeClass* element) {
    return AsObject(const_cast<ZeClass*>(element));
}

// The children of a group, in order; none for an object.
inline std::span<CObjectData* const> ChildrenOf(const CObjectData& element) {
    if (!element.IsGroup()) {
        return {};
    }
    return static_cast<const CObjectDataList&>(element).GetChildren();
}

}  // namespace ze
