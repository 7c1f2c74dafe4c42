#include "model/editing/step_names.h"

#include <utility>

#include "model/property_names.h"
#include "model/ze_class.h"

namespace ze {

namespace {

std::string ElementLabel(const ZeClass& element) {
    std::string name = element.GetItem(prop::kName);
    if (!name.empty()) {
        return name;
    }
    switch (element.GetKind()) {
        case ElementKind::kObject:
            return element.GetItem(prop::kType);
        case ElementKind::kGroup:
            return element.GetItem(prop::kLayout);
        case ElementKind::kCommand:
            return element.GetItem(prop::kCommand);
        default:
            return name;
    }
}

}  // namespace

StepName NameStep(StepKind kind, const ZeClass& element, std::string property) {
    return StepName{kind, ElementLabel(element), 1, std::move(property)};
}

StepName NameStep(StepKind kind, const std::vector<ZeClass*>& elements, std::string property) {
    if (elements.size() == 1) {
        return NameStep(kind, *elements.front(), std::move(property));
    }
    return StepName{kind, {}, elements.size(), std::move(property)};
}

StepName MergeStepNames(const std::vector<StepName>& names) {
    if (names.empty()) {
        return {};
    }
    StepName merged = names.front();
    if (names.size() == 1) {
        return merged;
    }
    merged.count = 0;
    for (const StepName& name : names) {
        merged.count += name.count;
    }
    merged.element.clear();
    return merged;
}

}  // namespace ze
