// Copy, delete (cut) and paste: the clipboard holds the element's resource
// text as plain text (UTF-8 there, Shift_JIS in the model).

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QModelIndex>
#include <algorithm>
#include <vector>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/json_parser.h"
#include "model/mo_stream.h"
#include "model/object_data.h"
#include "model/resource_data.h"
#include "model/resource_reader.h"
#include "panels/resource_dlg.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

namespace {

bool EraseFrom(std::vector<ZeClass*>& list, const ZeClass* element) {
    const auto it = std::find(list.begin(), list.end(), element);
    if (it == list.end()) {
        return false;
    }
    list.erase(it);
    return true;
}

// The command list of a dialog, object or group; null for other kinds.
std::vector<ZeClass*>* CommandsOf(ZeClass& owner) {
    switch (owner.GetKind()) {
        case element_kind::kDialog:
            return &static_cast<CZeDialogData&>(owner).GetCommands();
        case element_kind::kObject:
        case element_kind::kGroup:
            return &static_cast<CObjectData&>(owner).GetCommands();
        default:
            return nullptr;
    }
}

void DestroyInStore(ZeClass& element) {
    if (ElementStore* store = element.GetStore()) {
        store->Destroy(&element);
    }
}

}  // namespace

bool CResourceDlg::CopyCurrent() {
    ZeClass* element = GetCurrentElement();
    if (element == nullptr) {
        ShowMessage("ツリーからコピーするオブジェクトを選択して下さい。", MessageIcon::kWarning);
        return false;
    }
    CJsonString text;
    switch (element->GetKind()) {
        case element_kind::kDialog:
            static_cast<CZeDialogData*>(element)->WriteDialogMessage(text, 0);
            break;
        case element_kind::kObject:
        case element_kind::kGroup:
            static_cast<CObjectData*>(element)->WriteText(text, 0);
            break;
        default:
            break;
    }
    if (text.GetText().empty()) {
        return false;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(ResourceTextToUtf8(text.GetText())));
    return true;
}

void CResourceDlg::DeleteCurrent() {
    const QModelIndex index = model_->Current();
    ZeClass* element = model_->ElementAt(index);
    if (element == nullptr) {
        return;
    }
    CopyCurrent();
    switch (element->GetKind()) {
        case element_kind::kDialog:
            DeleteDialog(static_cast<CZeDialogData&>(*element));
            break;
        case element_kind::kObject:
        case element_kind::kGroup:
        case element_kind::kHeaderColumn:
        case element_kind::kCommand:
            DeleteInsideDialog(index, *element);
            break;
        default:
            break;
    }
}

void CResourceDlg::DeleteDialog(CZeDialogData& dialog) {
    CZeDialogDataList& dialogs = project_.GetDialogs();
    const int at = dialogs.IndexOf(&dialog);
    if (at < 0) {
        return;
    }
    CZeDialogData* neighbour = nullptr;
    if (dialogs.GetCount() > 1) {
        const auto position = static_cast<std::size_t>(at);
        neighbour =
            dialogs.GetDialog(position + 1 < dialogs.GetCount() ? position + 1 : position - 1);
    }
    ChangeItems([&] { model_->RemoveItem(model_->IndexOf(&dialog)); });
    if (currentDialog_ == &dialog) {
        currentDialog_ = nullptr;
    }
    if (neighbour != nullptr) {
        SelectAfterOperation(neighbour);
    } else {
        SelectItemByProgram({});
        ShowElement(nullptr);
    }
    // Its windows show the dialog; they go before the dialog does.
    host_.CloseDialogWindows(dialog);
    dialogs.DeleteDialog(&dialog);
    host_.ShowStatusText("ダイアログの削除は元に戻せません。");
    host_.RedrawViews();
    RedrawTree();
}

void CResourceDlg::DeleteInsideDialog(const QModelIndex& index, ZeClass& element) {
    CZeDialogData* dialog = DialogAt(index);
    ZeClass* owner = model_->ElementAt(index.parent());
    ZeClass* selectAfter = nullptr;

    switch (element.GetKind()) {
        case element_kind::kHeaderColumn: {
            if (owner == nullptr) {
                ShowMessage("エラー: ヘッダのオブジェクトが取得できませんでした。",
                            MessageIcon::kStop);
                return;
            }
            if (owner->GetKind() != element_kind::kObject ||
                !EraseFrom(static_cast<CObjectData*>(owner)->GetHeaders(), &element)) {
                return;
            }
            // The columns after it are numbered anew.
            RebuildItems(*owner);
            DestroyInStore(element);
            selectAfter = owner;
            break;
        }
        case element_kind::kCommand: {
            if (owner == nullptr) {
                ShowMessage("エラー: ヘッダのオブジェクトが取得できませんでした。",
                            MessageIcon::kStop);
                return;
            }
            std::vector<ZeClass*>* commands = CommandsOf(*owner);
            if (commands == nullptr || !EraseFrom(*commands, &element)) {
                return;
            }
            ChangeItems([&] { model_->RemoveItem(index); });
            DestroyInStore(element);
            selectAfter = owner;
            break;
        }
        default: {
            auto& object = static_cast<CObjectData&>(element);
            if (CObjectDataList* parent = object.GetParent()) {
                if (parent->IndexOf(&object) < 0) {
                    return;
                }
                ChangeItems([&] { model_->RemoveItem(index); });
                parent->Remove(&object, true);
                selectAfter = parent;
            } else if (owner != nullptr && owner->GetKind() == element_kind::kDialog &&
                       static_cast<CZeDialogData*>(owner)->GetRootGroup() == &object) {
                auto& rootOwner = static_cast<CZeDialogData&>(*owner);
                ChangeItems([&] { model_->RemoveItem(index); });
                rootOwner.SetRootGroup(nullptr);
                rootOwner.GetElementStore().Destroy(&object);
                selectAfter = &rootOwner;
            } else {
                return;
            }
            break;
        }
    }
    SelectAfterOperation(selectAfter);
    RecordStep(dialog);
}

void CResourceDlg::PasteAtCurrent(int mode) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* mime = clipboard->mimeData();
    if (mime == nullptr || !mime->hasText()) {
        return;
    }
    const std::string text = Utf8ToCp932(clipboard->text().toStdString());
    if (text.empty()) {
        return;
    }
    ZeClass* current = nullptr;
    if (!ReadyToPlace(current)) {
        return;
    }
    JsonParser parser;
    if (!parser.Parse(text)) {
        messages_.ShowMessage(parser.GetErrorText(), MessageIcon::kNone);
        return;
    }
    if (PasteMessages(parser)) {
        return;
    }
    Placement placement;
    if (!ChoosePlacement(*current, mode, placement)) {
        return;
    }
    ElementStore& store = placement.dialog->GetElementStore();
    CObjectData* element = ReadElement(store, nullptr, parser);
    if (element == nullptr) {
        return;
    }
    if (placement.target == nullptr && !element->IsGroup()) {
        ShowMessage("GROUPオブジェクトを登録して下さい。", MessageIcon::kWarning);
        store.Destroy(element);
        return;
    }
    PlaceNewElement(placement, *element);
}

bool CResourceDlg::PasteMessages(JsonParser& parser) {
    if (parser.IsArray("Commands")) {
        const JsonValue* root = parser.GetCurrent();
        JsonArrayWalk walk(parser.GetArray("Commands"));
        while (parser.NextElement(walk)) {
            project_.ReadCommand(parser);
        }
        parser.SetCurrent(root);
    } else if (!project_.ReadCommand(parser)) {
        return false;
    }
    // New dialogs may stand anywhere in the list; the whole tree follows.
    ZeClass* current = GetCurrentElement();
    RebuildWholeTree();
    SelectItemByProgram(model_->IndexOf(current));
    host_.RedrawViews();
    RedrawTree();
    return true;
}

}  // namespace ze::panels
