// Copying elements as resource text, pasting such text and inserting new
// elements by type name: where a new element goes beside or below the
// current one.

#include <span>
#include <string>

#include "model/dialog_data.h"
#include "model/editing/dialog_edit.h"
#include "model/editing/edit_support.h"
#include "model/editing/step_names.h"
#include "model/editing/tree_edits.h"
#include "model/element_names.h"
#include "model/element_store.h"
#include "model/json_parser.h"
#include "model/mo_stream.h"
#include "model/new_elements.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "model/resource_reader.h"
#include "model/schema.h"

namespace ze {

namespace {

constexpr const char* kPickAnElement = ZE_USER_TEXT(
    "Messages", "登録する場所を決定するために、ツリーのオブジェクトを選択して下さい。");
constexpr const char* kPickAPlace = ZE_USER_TEXT(
    "Messages",
    "登録する場所を決定するために、ツリーのダイアログ、\nまたはオブジェクトを選択して下さい。");
constexpr const char* kPickACopy =
    ZE_USER_TEXT("Messages", "ツリーからコピーするオブジェクトを選択して下さい。");

// Where a new element goes.
struct Placement {
    CZeDialogData* dialog = nullptr;
    // Null only when the dialog has no root group yet.
    CObjectDataList* target = nullptr;
    CObjectData* reference = nullptr;
    PasteMode mode = PasteMode::kAfter;
};

// Chooses the placement from the current element; false when it cannot
// hold one, with the message to show in refusal (empty for none).
bool ChoosePlacement(CZeResourceData& project, CZeDialogData* dialog, ZeClass& current,
                     PasteMode mode, Placement& placement, EditResult& refusal) {
    placement = Placement{};
    switch (current.GetKind()) {
        case ElementKind::kDialog:
            placement.target = static_cast<CZeDialogData&>(current).GetRootGroup();
            placement.mode = mode;
            break;
        case ElementKind::kObject:
            // Nothing goes below an object: always after it.
            placement.target = static_cast<CObjectData&>(current).GetParent();
            placement.reference = static_cast<CObjectData*>(&current);
            if (placement.target == nullptr) {
                return false;
            }
            break;
        case ElementKind::kGroup: {
            auto& group = static_cast<CObjectDataList&>(current);
            if (mode != PasteMode::kAfter) {
                placement.target = &group;
                placement.mode = mode;
            } else if (group.GetParent() != nullptr) {
                placement.target = group.GetParent();
                placement.reference = &group;
            } else {
                // Nothing stands beside a root group: at its end instead.
                placement.target = &group;
                placement.mode = PasteMode::kLastChild;
            }
            break;
        }
        default:
            refusal = Refusal(kPickAPlace, MessageIcon::kWarning);
            return false;
    }
    placement.dialog = DialogHolding(project, dialog, current);
    return placement.dialog != nullptr;
}

// Puts element into the placement's target (or makes it the dialog's root
// group) and records the step as kind.
EditResult Place(DialogEdit& edit, const Placement& placement, CObjectData& element,
                 StepKind kind) {
    if (placement.target == nullptr) {
        // The first group of a dialog without one holds the dialog's content.
        element.SetParent(nullptr);
        placement.dialog->SetRootGroup(static_cast<CObjectDataList*>(&element));
        placement.dialog->SetExpanded(true);
    } else {
        CObjectDataList& target = *placement.target;
        target.ClearSelection();
        target.SetExpanded(true);
        switch (placement.mode) {
            case PasteMode::kFirstChild:
                target.InsertBefore(&element, nullptr);
                break;
            case PasteMode::kLastChild:
                target.InsertAfter(&element, nullptr);
                break;
            case PasteMode::kAfter:
                target.InsertAfter(&element, placement.reference);
                break;
        }
    }
    edit.SetName(NameStep(kind, element));
    return edit.Record(&element);
}

// Dialog messages in the text ("Commands" or one DIALOG/POPUP message) go
// to the project; false when the text is no such message.
bool PasteMessages(CZeResourceData& project, JsonParser& parser, EditResult& result) {
    CZeDialogDataList& dialogs = project.GetDialogs();
    const std::size_t before = dialogs.GetCount();
    if (parser.IsArray("Commands")) {
        const JsonValue* root = parser.GetCurrent();
        JsonArrayWalk walk(parser.GetArray("Commands"));
        while (parser.NextElement(walk)) {
            project.ReadCommand(parser);
        }
        parser.SetCurrent(root);
    } else if (!project.ReadCommand(parser)) {
        return false;
    }
    // The reader appends every dialog it adds.
    for (std::size_t i = before; i < dialogs.GetCount(); ++i) {
        CZeDialogData& added = *dialogs.GetDialog(i);
        project.Observers().Notify([&](ProjectObserver& observer) { observer.DialogAdded(added); });
        result.changed = true;
    }
    return true;
}

// An array of elements, as the copy of several gives it: the first goes
// where mode says, each next one after the one before, as one step.
EditResult PasteSeveral(CZeResourceData& project, CZeDialogData* dialog, ZeClass& current,
                        JsonParser& parser, PasteMode mode) {
    const std::span<const JsonValue> texts = parser.GetRoot().Elements();
    Placement first;
    EditResult refusal;
    if (texts.empty() || !ChoosePlacement(project, dialog, current, mode, first, refusal)) {
        return refusal;
    }
    ElementStore& store = first.dialog->GetElementStore();
    EditResult result;
    {
        EditBatch batch(project, *first.dialog);
        ZeClass* anchor = &current;
        PasteMode next = mode;
        for (const JsonValue& text : texts) {
            Placement placement;
            if (!ChoosePlacement(project, first.dialog, *anchor, next, placement, refusal)) {
                break;
            }
            parser.SetCurrent(&text);
            CObjectData* element = text.IsObject() ? ReadElement(store, nullptr, parser) : nullptr;
            if (element == nullptr) {
                continue;
            }
            if (placement.target == nullptr && !element->IsGroup()) {
                store.Destroy(element);
                refusal = Refusal(kGroupFirstMessage, MessageIcon::kWarning);
                break;
            }
            NameNewElements(*placement.dialog, *element);
            DialogEdit edit(project, *placement.dialog);
            Place(edit, placement, *element, StepKind::kPaste);
            result.selectAll.push_back(element);
            anchor = element;
            next = PasteMode::kAfter;
        }
        batch.Finish(result);
    }
    if (result.selectAll.empty()) {
        return refusal;
    }
    result.message = refusal.message;
    result.icon = refusal.icon;
    return result;
}

}  // namespace

EditResult CopyElement(ZeClass* target) {
    if (target == nullptr) {
        return Refusal(kPickACopy, MessageIcon::kWarning);
    }
    CJsonString text;
    switch (target->GetKind()) {
        case ElementKind::kDialog:
            static_cast<CZeDialogData*>(target)->WriteDialogMessage(text, 0);
            break;
        case ElementKind::kObject:
        case ElementKind::kGroup:
            static_cast<CObjectData*>(target)->WriteText(text, 0);
            break;
        default:
            break;
    }
    EditResult result;
    result.clipboardText = text.TakeText();
    return result;
}

static EditResult PasteElementUnpicked(CZeResourceData& project, CZeDialogData* dialog, ZeClass* current, std::string_view text, PasteMode mode) {
    if (text.empty()) {
        return {};
    }
    if (current == nullptr) {
        return Refusal(kPickAnElement, MessageIcon::kWarning);
    }
    JsonParser parser;
    if (!parser.Parse(text)) {
        EditResult refusal;
        refusal.message = parser.GetErrorText();
        return refusal;
    }
    EditResult result;
    if (parser.GetRoot().IsArray()) {
        return PasteSeveral(project, dialog, *current, parser, mode);
    }
    if (PasteMessages(project, parser, result)) {
        return result;
    }
    Placement placement;
    if (!ChoosePlacement(project, dialog, *current, mode, placement, result)) {
        return result;
    }
    DialogEdit edit(project, *placement.dialog);
    ElementStore& store = placement.dialog->GetElementStore();
    CObjectData* element = ReadElement(store, nullptr, parser);
    if (element == nullptr) {
        return {};
    }
    if (placement.target == nullptr && !element->IsGroup()) {
        store.Destroy(element);
        return Refusal(kGroupFirstMessage, MessageIcon::kWarning);
    }
    NameNewElements(*placement.dialog, *element);
    return Place(edit, placement, *element, StepKind::kPaste);
}

static EditResult InsertElementUnpicked(CZeResourceData& project, CZeDialogData* dialog, ZeClass* current, std::string_view typeName, PasteMode mode) {
    const GroupLayout layout = LayoutCodeIgnoringCase(typeName);
    const bool isGroup = layout != GroupLayout::kUnset;
    const ObjectType type = isGroup ? ObjectType::kUnset : ObjectTypeIndexIgnoringCase(typeName);
    if (!isGroup && type == ObjectType::kUnset) {
        return {};
    }
    if (current == nullptr) {
        return Refusal(kPickAnElement, MessageIcon::kWarning);
    }
    EditResult refusal;
    Placement placement;
    if (!ChoosePlacement(project, dialog, *current, mode, placement, refusal)) {
        return refusal;
    }
    CObjectDataList* target = placement.target;
    if (target == nullptr && !isGroup) {
        return Refusal(kGroupFirstMessage, MessageIcon::kWarning);
    }
    const std::string targetLayout = target != nullptr ? target->GetItem(prop::kLayout) : "";
    if (type == ObjectType::kRadioButton && targetLayout != "RADIO") {
        return Refusal(kRadioOnlyMessage, MessageIcon::kNone);
    }

    DialogEdit edit(project, *placement.dialog);
    ElementStore& store = placement.dialog->GetElementStore();
    CObjectData* element = nullptr;
    if (isGroup) {
        auto* group = store.Create<CObjectDataList>(target);
        AddGroupItems(group->Items(), layout);
        element = group;
    } else {
        element = store.Create<CObjectData>(target);
        AddObjectItems(element->Items(), type, LayoutCode(targetLayout));
        if (type == ObjectType::kGrid) {
            element->AddHeader(CreateHeaderColumn(store));
            element->SetItem(prop::kColumns, "1");
        }
    }
    // Only here: a pasted element and one read from a file keep the sizes
    // their text gives.
    GiveNewElementSize(*element, target == nullptr);
    NameNewElements(*placement.dialog, *element);
    element->SetSelected(true);
    return Place(edit, placement, *element, StepKind::kInsert);
}

EditResult PasteElement(CZeResourceData& project, CZeDialogData* dialog, ZeClass* current, std::string_view text, PasteMode mode) {
    return Selected(project, PasteElementUnpicked(project, dialog, current, text, mode));
}

EditResult InsertElement(CZeResourceData& project, CZeDialogData* dialog, ZeClass* current, std::string_view typeName, PasteMode mode) {
    return Selected(project, InsertElementUnpicked(project, dialog, current, typeName, mode));
}

}  // namespace ze
