#include "model/new_elements.h"

#include <memory>

#include "model/dialog_data.h"
#include "model/element_names.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/schema.h"

namespace ze {

namespace {

constexpr std::string_view kParent = "PARENT";
constexpr std::string_view kContent = "CONTENT";
constexpr std::string_view kSharedWeight = "1";

// The preview gives CONTENT a fixed small width whatever the text, so an
// object that shows a text or a bar spans its parent's width: a BUTTON at
// CONTENT width reads "Butt…". Areas (a canvas, a graph, a list) fill their
// parent; an image and a meter take their picture's own size. A row or
// column shares its length instead (FitNewElementSize).
constexpr NewElementSize kFillWidth{kParent, kContent, {}};
constexpr NewElementSize kFillBoth{kParent, kParent, {}};
constexpr NewElementSize kOwnSize{kContent, kContent, {}};

}  // namespace

NewElementSize NewObjectSize(ObjectType type) {
    switch (type) {
        case ObjectType::kPicture:
        case ObjectType::kMeter:
            return kOwnSize;
        case ObjectType::kCanvas:
        case ObjectType::kGrid:
        case ObjectType::kGraph:
        case ObjectType::kVList:
            return kFillBoth;
        default:
            return kFillWidth;
    }
}

NewElementSize NewGroupSize(GroupLayout layout) {
    switch (layout) {
        // A vertical scroll needs a bounded height to scroll in; pages are
        // whole screens.
        case GroupLayout::kScroll:
        case GroupLayout::kPage:
            return kFillBoth;
        default:
            return kFillWidth;
    }
}

NewElementSize NewRootGroupSize() {
    return kFillBoth;
}

NewElementSize FitNewElementSize(NewElementSize size, GroupLayout parentLayout,
                                 bool parentVertical) {
    if (parentLayout != GroupLayout::kLinear && parentLayout != GroupLayout::kRadio) {
        return size;
    }
    std::string_view& along = parentVertical ? size.height : size.width;
    if (along == kParent) {
        along = kContent;
        size.weight = kSharedWeight;
    }
    return size;
}

void GiveNewElementSize(CObjectData& element, bool asRoot) {
    NewElementSize size = NewRootGroupSize();
    if (!asRoot) {
        size = element.IsGroup() ? NewGroupSize(LayoutCode(element.GetItem(prop::kLayout)))
                                 : NewObjectSize(ObjectTypeIndex(element.GetItem(prop::kType)));
        if (const CObjectDataList* parent = element.GetParent()) {
            size = FitNewElementSize(size, LayoutCode(parent->GetItem(prop::kLayout)),
                                     parent->GetItem(prop::kVertical) == "true");
        }
    }
    element.SetItem(prop::kWidth, size.width);
    element.SetItem(prop::kHeight, size.height);
    if (!size.weight.empty()) {
        element.SetItem(prop::kWeight, size.weight);
    }
}

CZeDialogData* CreateNewDialog(CZeDialogDataList& dialogs, std::string_view name) {
    auto dialog = std::make_unique<CZeDialogData>(dialogs.MakeUniqueName(name));
    // Before the history starts: its first step holds the root group.
    auto* root = dialog->GetElementStore().Create<CObjectDataList>(nullptr);
    AddGroupItems(root->Items(), GroupLayout::kLinear);
    GiveNewElementSize(*root, true);
    root->SetItem(prop::kVertical, "true");
    NameNewElements(*dialog, *root);
    root->SetExpanded(true);
    dialog->SetRootGroup(root);
    dialog->SetExpanded(true);
    CZeDialogData* raw = dialog.get();
    dialogs.AddDialog(std::move(dialog));
    raw->StartHistory();
    return raw;
}

}  // namespace ze
