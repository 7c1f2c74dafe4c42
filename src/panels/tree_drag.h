#pragma once

#include <QByteArray>
#include <QModelIndex>
#include <QString>
#include <optional>
#include <vector>

#include "model/editing/drop_edits.h"

class QMimeData;

namespace ze {
class CZeResourceData;
class ZeClass;
}  // namespace ze

namespace ze::panels {

class ResourceTreeModel;

// What a drag in the editor carries: an element of the tree (only within
// this process), the type name of an entry of the "挿入オブジェクト" grid, or
// an image of the built-in or user image grid.
inline constexpr const char* kElementMimeType = "application/x-ze-element";
inline constexpr const char* kInsertTypeMimeType = "application/x-ze-insert-type";
inline constexpr const char* kImageMimeType = "application/x-ze-image";

// One element, or several dragged together.
QMimeData* ElementMime(const std::vector<ZeClass*>& elements);
inline QMimeData* ElementMime(ZeClass& element) {
    return ElementMime(std::vector<ZeClass*>{&element});
}
// The dragged elements when every one still stands in project (a dialog or
// an element of a dialog's tree); none for any other data.
std::vector<ZeClass*> ElementsFromMime(const QMimeData& data, const CZeResourceData& project);
QMimeData* InsertTypeMime(const QString& typeName);
// The type name (ASCII) an insert drag carries; empty for any other data.
QByteArray InsertTypeFromMime(const QMimeData& data);

// An image dragged from a grid: which list it comes from (kBuiltInImage or
// kUserImage) and its name (Shift_JIS), as a pick in that grid gives them.
struct DraggedImage {
    PaneEntryKind kind = PaneEntryKind::kBuiltInImage;
    QByteArray name;
};
QMimeData* ImageMime(const DraggedImage& image);
// Nothing for any other data, or an image of neither list.
std::optional<DraggedImage> ImageFromMime(const QMimeData& data);

// Where a drop at row under parent (row -1: on the item parent itself) puts
// element (null: a new object or group of an insert drag). On an item that
// can hold it, it goes in at the end; on any other item, after it; between
// rows, in front of the first item below the drop line that stands in the
// same list. Nothing for a place outside the project.
std::optional<DropPlace> TreeDropPlace(const CZeResourceData& project,
                                       const ResourceTreeModel& model, const ZeClass* element,
                                       int row, const QModelIndex& parent, bool copy);

// Takes the drops the tree model is given: checks them while the drag moves
// (no message) and carries them out.
class TreeDropHandler {
public:
    virtual ~TreeDropHandler() = default;
    virtual bool CanDrop(const QMimeData& data, int row, const QModelIndex& parent, bool copy) = 0;
    virtual bool Drop(const QMimeData& data, int row, const QModelIndex& parent, bool copy) = 0;
};

}  // namespace ze::panels
