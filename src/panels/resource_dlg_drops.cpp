// Drops on the resource tree and on the previews: elements dragged within
// them, entries of the insert grid, and images (previews only).

#include <QMimeData>
#include <algorithm>

#include "model/dialog_data.h"
#include "model/editing/drop_edits.h"
#include "model/editing/preview_drop.h"
#include "model/editing/property_edits.h"
#include "model/editing/selection.h"
#include "model/editing/selection_edits.h"
#include "model/property_names.h"
#include "panels/property_list_ctrl.h"
#include "panels/property_list_model.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

namespace {

// The object under a point of the preview that an image dropped there goes
// to, with the row it fills; null when there is none. An image from a grid
// is no file of a URI or the device's storage, as with the picker.
CObjectData* ImageTarget(CZeDialogData& dialog, std::int32_t x, std::int32_t y,
                         CPropertyListCtrl& list, int& row) {
    CObjectDataList* root = dialog.GetRootGroup();
    CObjectData* object = root == nullptr ? nullptr : root->HitTestFromRoot(x, y);
    if (object == nullptr) {
        return nullptr;
    }
    const std::string source = object->GetItem(prop::kFileSource);
    if (source == "URI" || source == "STORAGE") {
        return nullptr;
    }
    row = ImageDropRow(*object, list.GetElement() == object ? list.GetCurrentRow() : -1);
    return row < 0 ? nullptr : object;
}

bool AllObjectsOrGroups(const std::vector<ZeClass*>& elements) {
    return std::all_of(elements.begin(), elements.end(),
                       [](const ZeClass* element) { return IsObjectOrGroup(*element); });
}

}  // namespace

bool CResourceDlg::CanDrop(const QMimeData& mime, int row, const QModelIndex& parent, bool copy) {
    if (const auto elements = ElementsFromMime(mime, *model_); !elements.empty()) {
        const auto place = TreeDropPlace(project_, *model_, elements.front(), row, parent, copy);
        return place && CheckDropSeveral(project_, elements, *place, copy).allowed;
    }
    const QByteArray type = InsertTypeFromMime(mime);
    if (type.isEmpty()) {
        return false;
    }
    const auto place = TreeDropPlace(project_, *model_, nullptr, row, parent, true);
    return place && CheckInsertAt(project_, type.toStdString(), *place).allowed;
}

bool CResourceDlg::Drop(const QMimeData& mime, int row, const QModelIndex& parent, bool copy) {
    if (const auto elements = ElementsFromMime(mime, *model_); !elements.empty()) {
        const auto place = TreeDropPlace(project_, *model_, elements.front(), row, parent, copy);
        return place && Apply(DropSeveral(project_, elements, *place, copy));
    }
    const QByteArray type = InsertTypeFromMime(mime);
    const auto place = TreeDropPlace(project_, *model_, nullptr, row, parent, true);
    return !type.isEmpty() && place && Apply(InsertAt(project_, type.toStdString(), *place));
}

PreviewDropTarget CResourceDlg::CheckPreviewDrop(const QMimeData& mime, CZeDialogData& dialog,
                                                 std::int32_t x, std::int32_t y, bool copy) {
    if (ImageFromMime(mime)) {
        int row = -1;
        CObjectData* object = ImageTarget(dialog, x, y, *propertyList_, row);
        return object == nullptr ? PreviewDropTarget{}
                                 : PreviewDropTarget{true, object->GetPreviewRect()};
    }
    const std::vector<ZeClass*> elements = ElementsFromMime(mime, *model_);
    const QByteArray type = elements.empty() ? InsertTypeFromMime(mime) : QByteArray();
    if (elements.empty() ? type.isEmpty() : !AllObjectsOrGroups(elements)) {
        return {};
    }
    const auto landing =
        PreviewDropLanding(dialog, x, y, elements.empty() ? nullptr : elements.front());
    if (!landing) {
        return {};
    }
    const bool allowed = !elements.empty()
                             ? CheckDropSeveral(project_, elements, landing->place, copy).allowed
                             : CheckInsertAt(project_, type.toStdString(), landing->place).allowed;
    return allowed ? PreviewDropTarget{true, landing->line} : PreviewDropTarget{};
}

bool CResourceDlg::DropOnPreview(const QMimeData& mime, CZeDialogData& dialog, std::int32_t x,
                                 std::int32_t y, bool copy) {
    if (const auto image = ImageFromMime(mime)) {
        int row = -1;
        CObjectData* object = ImageTarget(dialog, x, y, *propertyList_, row);
        if (object == nullptr) {
            return false;
        }
        const bool changed = Apply(
            AssignImage(project_, &dialog, object, static_cast<std::size_t>(row), image->kind,
                        image->name.toStdString()));
        // The object and the row it took the image in are shown.
        Select(project_, object);
        if (propertyList_->GetElement() == object) {
            propertyList_->SetCurrentRow(row);
            propertyList_->scrollTo(propertyList_->Model().index(row, 0));
        }
        return changed;
    }
    const std::vector<ZeClass*> elements = ElementsFromMime(mime, *model_);
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
