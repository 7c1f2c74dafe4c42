#include "panels/selection_commands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/qt/sjis_qstring.h"
#include "model/dialog_data.h"
#include "model/editing/drop_edits.h"
#include "model/editing/preview_drop.h"
#include "model/editing/property_edits.h"
#include "model/editing/selection.h"
#include "model/editing/selection_edits.h"
#include "model/editing/tree_edits.h"
#include "model/message_sink.h"
#include "model/object_data.h"
#include "model/property_names.h"
#include "model/resource_data.h"
#include "panels/resource_panel_host.h"
#include "panels/tree_drag.h"

namespace ze::panels {

namespace {

bool AllObjectsOrGroups(const std::vector<ZeClass*>& elements) {
    return std::all_of(elements.begin(), elements.end(),
                       [](const ZeClass* element) { return IsObjectOrGroup(*element); });
}

}  // namespace

SelectionCommands::SelectionCommands(CZeResourceData& project, ResourcePanelHost& host,
                                     MessageSink& messages)
    : project_(project), host_(host), messages_(messages) {}

bool SelectionCommands::Apply(const EditResult& result) {
    if (!result.message.empty()) {
        messages_.ShowMessage(result.message, result.icon);
    }
    if (!result.statusText.empty()) {
        host_.ShowStatusText(SjisToQString(result.statusText));
    }
    // What an operation picked is what the user works on next: its dialog's
    // window comes forward.
    CZeDialogData* dialog = project_.GetSelection().Dialog();
    if ((result.select != nullptr || !result.selectAll.empty()) && dialog != nullptr &&
        result.select != &project_) {
        host_.ActivateDialogWindow(*dialog);
    }
    return result.changed;
}

bool SelectionCommands::CopyCurrent() {
    const EditResult result = CopySelection(project_);
    Apply(result);
    if (result.clipboardText.empty()) {
        return false;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(ResourceTextToUtf8(result.clipboardText)));
    return true;
}

void SelectionCommands::DeleteCurrent() {
    ZeClass* element = project_.GetSelection().Current();
    if (element == nullptr) {
        return;
    }
    // Taken now: a deleted dialog is gone when the call returns.
    const bool dialog = element->GetKind() == ElementKind::kDialog;
    EditResult result = DeleteSelection(project_);
    if (!result.clipboardText.empty()) {
        QGuiApplication::clipboard()->setText(
            QString::fromStdString(ResourceTextToUtf8(result.clipboardText)));
    }
    if (dialog) {
        // Its neighbour came forward while it was still there, before its
        // windows closed.
        result.select = nullptr;
    }
    Apply(result);
}

void SelectionCommands::PasteAtCurrent(PasteMode mode) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* mime = clipboard->mimeData();
    if (mime == nullptr || !mime->hasText()) {
        return;
    }
    char32_t unmappable = 0;
    const std::optional<std::string> text = QStringToSjis(clipboard->text(), &unmappable);
    if (!text) {
        // Pasted with a stand-in, the text would not be the one copied.
        messages_.ShowMessage(UnmappableValueMessage(unmappable), MessageIcon::kWarning);
        return;
    }
    Apply(PasteAtSelection(project_, *text, mode));
}

void SelectionCommands::Move(MoveDirection direction) {
    Apply(MoveSelection(project_, direction));
}

void SelectionCommands::InsertByName(std::string_view typeName, PasteMode mode) {
    Apply(InsertElement(project_, nullptr, project_.GetSelection().Current(), typeName, mode));
}

CObjectData* SelectionCommands::ImageTarget(CZeDialogData& dialog, std::int32_t x, std::int32_t y,
                                            int& row) const {
    CObjectDataList* root = dialog.GetRootGroup();
    CObjectData* object = root == nullptr ? nullptr : root->HitTestFromRoot(x, y);
    if (object == nullptr) {
        return nullptr;
    }
    // An image from a grid is no file of a URI or the device's storage, as
    // with the picker.
    const std::string source = object->GetItem(prop::kFileSource);
    if (source == "URI" || source == "STORAGE") {
        return nullptr;
    }
    row = ImageDropRow(*object, imageRows_.shownRow ? imageRows_.shownRow(*object) : -1);
    return row < 0 ? nullptr : object;
}

PreviewDropTarget SelectionCommands::CheckPreviewDrop(const QMimeData& mime, CZeDialogData& dialog,
                                                      std::int32_t x, std::int32_t y, bool copy) {
    if (ImageFromMime(mime)) {
        int row = -1;
        CObjectData* object = ImageTarget(dialog, x, y, row);
        return object == nullptr ? PreviewDropTarget{}
                                 : PreviewDropTarget{true, object->GetPreviewRect(), {}};
    }
    const std::vector<ZeClass*> elements = ElementsFromMime(mime, project_);
    const QByteArray type = elements.empty() ? InsertTypeFromMime(mime) : QByteArray();
    if (elements.empty() ? type.isEmpty() : !AllObjectsOrGroups(elements)) {
        return {};
    }
    const auto landing =
        PreviewDropLanding(dialog, x, y, elements.empty() ? nullptr : elements.front());
    if (!landing) {
        return {};
    }
    const DropVerdict verdict = !elements.empty()
                                    ? CheckDropSeveral(project_, elements, landing->place, copy)
                                    : CheckInsertAt(project_, type.toStdString(), landing->place);
    if (!verdict.allowed) {
        PreviewDropTarget refused;
        refused.refusal = verdict.refusal.message;
        return refused;
    }
    return PreviewDropTarget{true, landing->line, {}};
}

void SelectionCommands::ShowDropRefusal(const std::string& refusal) {
    host_.ShowStatusText(SjisToQString(refusal));
}

bool SelectionCommands::DropOnPreview(const QMimeData& mime, CZeDialogData& dialog, std::int32_t x,
                                      std::int32_t y, bool copy) {
    if (const auto image = ImageFromMime(mime)) {
        int row = -1;
        CObjectData* object = ImageTarget(dialog, x, y, row);
        if (object == nullptr) {
            return false;
        }
        const bool changed = Apply(
            AssignImage(project_, &dialog, object, static_cast<std::size_t>(row), image->kind,
                        image->name.toStdString()));
        // The object and the row it took the image in are shown.
        Select(project_, object);
        if (imageRows_.filled) {
            imageRows_.filled(*object, row);
        }
        return changed;
    }
    const std::vector<ZeClass*> elements = ElementsFromMime(mime, project_);
    const QByteArray type = elements.empty() ? InsertTypeFromMime(mime) : QByteArray();
    if (elements.empty() ? type.isEmpty() : !AllObjectsOrGroups(elements)) {
        return false;
    }
    const auto landing =
        PreviewDropLanding(dialog, x, y, elements.empty() ? nullptr : elements.front());
    if (!landing) {
        return false;
    }
    return Apply(!elements.empty() ? DropSeveral(project_, elements, landing->place, copy)
                                   : InsertAt(project_, type.toStdString(), landing->place));
}

}  // namespace ze::panels
