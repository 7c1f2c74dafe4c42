// Drops on the resource tree: elements dragged within it and entries of the
// insert grid.

#include <QMimeData>

#include "model/editing/drop_edits.h"
#include "panels/resource_dlg.h"
#include "panels/resource_tree_model.h"

namespace ze::panels {

bool CResourceDlg::CanDrop(const QMimeData& mime, int row, const QModelIndex& parent, bool copy) {
    if (ZeClass* element = ElementFromMime(mime, *model_)) {
        const auto place = TreeDropPlace(project_, *model_, element, row, parent, copy);
        return place && CheckDrop(project_, element, *place, copy).allowed;
    }
    const QByteArray type = InsertTypeFromMime(mime);
    if (type.isEmpty()) {
        return false;
    }
    const auto place = TreeDropPlace(project_, *model_, nullptr, row, parent, true);
    return place && CheckInsertAt(project_, type.toStdString(), *place).allowed;
}

bool CResourceDlg::Drop(const QMimeData& mime, int row, const QModelIndex& parent, bool copy) {
    if (ZeClass* element = ElementFromMime(mime, *model_)) {
        const auto place = TreeDropPlace(project_, *model_, element, row, parent, copy);
        return place && Apply(DropElement(project_, element, *place, copy));
    }
    const QByteArray type = InsertTypeFromMime(mime);
    const auto place = TreeDropPlace(project_, *model_, nullptr, row, parent, true);
    return !type.isEmpty() && place && Apply(InsertAt(project_, type.toStdString(), *place));
}

}  // namespace ze::panels
