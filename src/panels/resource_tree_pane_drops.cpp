// Drops on the resource tree: elements dragged within it and entries of the
// insert grid. (The previews' drops are SelectionCommands'.)

#include <QMimeData>

#include "model/editing/drop_edits.h"
#include "panels/resource_tree_pane.h"
#include "panels/resource_tree_model.h"
#include "panels/tree_drag.h"

namespace ze::panels {

bool ResourceTreePane::CanDrop(const QMimeData& mime, int row, const QModelIndex& parent, bool copy) {
    if (const auto elements = ElementsFromMime(mime, project_); !elements.empty()) {
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

bool ResourceTreePane::Drop(const QMimeData& mime, int row, const QModelIndex& parent, bool copy) {
    if (const auto elements = ElementsFromMime(mime, project_); !elements.empty()) {
        const auto place = TreeDropPlace(project_, *model_, elements.front(), row, parent, copy);
        return place && Apply(DropSeveral(project_, elements, *place, copy));
    }
    const QByteArray type = InsertTypeFromMime(mime);
    const auto place = TreeDropPlace(project_, *model_, nullptr, row, parent, true);
    return !type.isEmpty() && place && Apply(InsertAt(project_, type.toStdString(), *place));
}

}  // namespace ze::panels
