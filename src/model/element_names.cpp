#include "model/element_names.h"

#include <functional>
#include <string>
#include <unordered_set>

#include "model/dialog_data.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/schema.h"

namespace ze {

namespace {

// element and every object and group below it, parents first.
void ForEachInSubtree(CObjectData& element, const std::function<void(CObjectData&)>& visit) {
    visit(element);
    if (element.IsGroup()) {
        for (CObjectData* child : static_cast<CObjectDataList&>(element).GetChildren()) {
            ForEachInSubtree(*child, visit);
        }
    }
}

void ForEachInDialog(const CZeDialogData& dialog, const std::function<void(CObjectData&)>& visit) {
    if (CObjectDataList* root = dialog.GetRootGroup()) {
        ForEachInSubtree(*root, visit);
    }
}

std::string Capitalised(std::string_view name) {
    std::string stem(name);
    for (std::size_t i = 1; i < stem.size(); ++i) {
        if (stem[i] >= 'A' && stem[i] <= 'Z') {
            stem[i] = static_cast<char>(stem[i] - 'A' + 'a');
        }
    }
    return stem;
}

}  // namespace

const CObjectData* FindNameHolder(const CZeDialogData& dialog, const ZeClass& except,
                                  std::string_view name) {
    const CObjectData* holder = nullptr;
    if (name.empty()) {
        return holder;
    }
    ForEachInDialog(dialog, [&](CObjectData& element) {
        if (holder == nullptr && &element != &except && element.GetItem(prop::kName) == name) {
            holder = &element;
        }
    });
    return holder;
}

std::string NameStem(const CObjectData& element) {
    if (element.IsGroup()) {
        const std::string_view layout = LayoutName(LayoutCode(element.GetItem(prop::kLayout)));
        return layout.empty() ? "Group" : Capitalised(layout);
    }
    const std::string_view type = ObjectTypeName(ObjectTypeIndex(element.GetItem(prop::kType)));
    return type.empty() ? "Object" : Capitalised(type);
}

void NameNewElements(const CZeDialogData& dialog, CObjectData& added) {
    std::unordered_set<const CObjectData*> subtree;
    ForEachInSubtree(added, [&](CObjectData& element) { subtree.insert(&element); });
    std::unordered_set<std::string> taken;
    ForEachInDialog(dialog, [&](CObjectData& element) {
        if (subtree.count(&element) == 0) {
            taken.insert(element.GetItem(prop::kName));
        }
    });
    ForEachInSubtree(added, [&](CObjectData& element) {
        std::string name = element.GetItem(prop::kName);
        if (name.empty() || taken.count(name) != 0) {
            const std::string stem = NameStem(element);
            int number = 1;
            do {
                name = stem + std::to_string(number++);
            } while (taken.count(name) != 0);
            element.SetItem(prop::kName, name);
        }
        taken.insert(name);
    });
}

}  // namespace ze
