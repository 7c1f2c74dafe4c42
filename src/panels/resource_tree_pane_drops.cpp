// Drops on the resource tree: elements dragged within it and entries of the
// insert grid. (The previews' drops are SelectionCommands'.)

#include <QMimeData>

#include "common/qt/sjis_qstring.h"
#include "model/editing/drop_edits.h"
#include "panels/resource_panel_host.h"
#include "panels/resource_tree_model.h"
#include "panels/resource_tree_pane.h"
#include "panels/tree_drag.h"

namespace ze::panels {

bool ResourceTreePane::CanDrop(const QMimeData& mime, int row, const QModelIndex& parent,
                               bool copy) {
    DropVerdict verdict;
    if (const auto elements = ElementsFromMime(mime, project_); !elements.empty()) {
        const auto place = TreeDropPlace(project_, *model_, elements.front(), row, parent, copy);
        if (place) {
            verdict = CheckDropSeveral(project_, elements, *place, copy);
        }
    } else if (const QByteArray type = InsertTypeFromMime(mime); !type.isEmpty()) {
        const auto place = TreeDropPlace(project_, *model_, nullptr, row, parent, true);
        if (place) {
            verdict = CheckInsertAt(project_, type.toStdString(), *place);
        }
    }
    // The release over a refused place reaches no drop: it is said now.
    TellDropRefusal(verdict.refusal);
    return verdict.allowed;
}

void ResourceTreePane::TellDropRefusal(const EditResult& refusal) {
    if (refusal.message == dropRefusalShown_) {
        return;
    }
    dropRefusalShown_ = refusal.message;
    host_.ShowStatusText(SjisToQString(dropRefusalShown_));
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
