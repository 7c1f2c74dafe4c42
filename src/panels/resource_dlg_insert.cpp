// Inserting a new group or object by type name, placing a new element (also
// a pasted one) where the current tree item says, and the insert requests of
// the image/log pane.

#include <QModelIndex>

#include "model/dialog_data.h"
#include "model/element_store.h"
#include "model/object_data.h"
#include "model/schema.h"
#include "panels/resource_dlg.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

namespace {

constexpr int kTypeListEntry = 0;
constexpr int kBuiltInImage = 1;
constexpr int kUserImage = 2;
constexpr int kClipboardEntry = 3;

bool IsClipboardEntry(int kind, const std::string& name) {
    return kind == kClipboardEntry && name == "Clipboard";
}

}  // namespace

bool CResourceDlg::ReadyToPlace(ZeClass*& current) {
    current = GetCurrentElement();
    if (current == nullptr) {
        ShowMessage("登録する場所を決定するために、ツリーのオブジェクトを選択して下さい。",
                    MessageIcon::kWarning);
        return false;
    }
    return true;
}

bool CResourceDlg::ChoosePlacement(ZeClass& current, int mode, Placement& placement) {
    placement = Placement{};
    placement.dialog = DialogAt(model_->IndexOf(&current));
    switch (current.GetKind()) {
        case element_kind::kDialog:
            placement.target = static_cast<CZeDialogData&>(current).GetRootGroup();
            placement.mode = mode;
            break;
        case element_kind::kObject:
            // Nothing goes below an object: always after it.
            placement.target = static_cast<CObjectData&>(current).GetParent();
            placement.reference = static_cast<CObjectData*>(&current);
            placement.mode = kAfter;
            if (placement.target == nullptr) {
                return false;
            }
            break;
        case element_kind::kGroup: {
            auto& group = static_cast<CObjectDataList&>(current);
            if (mode != kAfter) {
                placement.target = &group;
                placement.mode = mode;
            } else if (group.GetParent() != nullptr) {
                placement.target = group.GetParent();
                placement.reference = &group;
                placement.mode = kAfter;
            } else {
                // Nothing stands beside a root group: at its end instead.
                placement.target = &group;
                placement.mode = kLastChild;
            }
            break;
        }
        default:
            ShowMessage(
                "登録する場所を決定するために、ツリーのダイアログ、\nまたはオブジェクトを選択して下"
                "さい。",
                MessageIcon::kWarning);
            return false;
    }
    return placement.dialog != nullptr;
}

void CResourceDlg::PlaceNewElement(const Placement& placement, CObjectData& element) {
    CZeDialogData& dialog = *placement.dialog;
    ZeClass* rebuilt = &dialog;
    if (placement.target == nullptr) {
        // The first group of a dialog without one holds the dialog's content.
        element.SetParent(nullptr);
        dialog.SetRootGroup(static_cast<CObjectDataList*>(&element));
        dialog.SetExpanded(true);
    } else {
        CObjectDataList& target = *placement.target;
        target.ClearSelection();
        target.SetExpanded(true);
        switch (placement.mode) {
            case kFirstChild:
                target.InsertBefore(&element, nullptr);
                break;
            case kLastChild:
                target.InsertAfter(&element, nullptr);
                break;
            default:
                target.InsertAfter(&element, placement.reference);
                break;
        }
        rebuilt = &target;
    }
    ShowElement(&element);
    RebuildItems(*rebuilt);
    SelectAfterOperation(&element);
    RecordStep(&dialog);
}

void CResourceDlg::InsertByName(std::string_view typeName, int mode) {
    const int layout = LayoutCodeIgnoringCase(typeName);
    const int type = layout < 0 ? ObjectTypeIndexIgnoringCase(typeName) : object_type::kUnset;
    if (layout < 0 && type < 0) {
        return;
    }
    ZeClass* current = nullptr;
    if (!ReadyToPlace(current)) {
        return;
    }
    Placement placement;
    if (!ChoosePlacement(*current, mode, placement)) {
        return;
    }
    CObjectDataList* target = placement.target;
    if (target == nullptr && layout < 0) {
        ShowMessage("GROUPオブジェクトを登録して下さい。", MessageIcon::kWarning);
        return;
    }
    const std::string targetLayout = target != nullptr ? target->GetItem("Layout") : "";
    if (type == object_type::kRadioButton && targetLayout != "RADIO") {
        ShowMessage("ラジオボタンはラジオグループに追加して下さい。", MessageIcon::kNone);
        return;
    }

    ElementStore& store = placement.dialog->GetElementStore();
    CObjectData* element = nullptr;
    if (layout >= 0) {
        auto* group = store.Create<CObjectDataList>(target);
        AddGroupItems(group->Items(), layout);
        element = group;
    } else {
        element = store.Create<CObjectData>(target);
        AddObjectItems(element->Items(), type, LayoutCode(targetLayout));
        if (type == object_type::kGrid) {
            element->AddHeader(CreateHeaderColumn(store));
            element->SetItem("Columns", "1");
        }
    }
    element->SetSelected(true);
    PlaceNewElement(placement, *element);
}

void CResourceDlg::InsertFromPane(int mode) {
    const std::optional<PaneSelection> entry = host_.SelectedPaneEntry();
    if (!entry) {
        return;
    }
    if (entry->kind == kTypeListEntry) {
        InsertByName(entry->name, mode);
    } else if (IsClipboardEntry(entry->kind, entry->name)) {
        PasteAtCurrent(mode);
    }
}

void CResourceDlg::OnPaneEntryChosen(int kind, const std::string& name) {
    if (kind == kTypeListEntry) {
        InsertByName(name, kAfter);
    } else if (IsClipboardEntry(kind, name)) {
        PasteAtCurrent(kAfter);
    } else if (kind == kBuiltInImage || kind == kUserImage) {
        emit ImageChosen(kind, QByteArray::fromStdString(name));
    }
}

}  // namespace ze::panels
