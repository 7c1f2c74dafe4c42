#pragma once

#include <cstdint>
#include <string>

#include "model/editing/edit_result.h"
#include "model/object_data.h"

class QMimeData;

namespace ze {
class CZeDialogData;
class ZeClass;
}  // namespace ze

namespace ze::panels {

// The structural Edit menu entries, carried out by the resource panel's tree
// operations on its current tree item.
class EditCommands {
public:
    EditCommands() = default;
    virtual ~EditCommands() = default;
    EditCommands(const EditCommands&) = delete;
    EditCommands& operator=(const EditCommands&) = delete;

    // Puts the current element's text on the clipboard; true when it did.
    virtual bool CopyCurrent() = 0;
    // Deletes the current element (after copying it).
    virtual void DeleteCurrent() = 0;
    // Inserts the clipboard's text at the current tree position.
    virtual void PasteAtCurrent(PasteMode mode) = 0;
};

// Drops on a dialog's preview, at a point in layout pixels: an object or
// group of the tree or the preview (moved, or copied when copy), an entry of
// the insert grid, or an image of the image grids. CheckPreviewDrop tells,
// without a message, whether a drop there would be taken and what marks
// the spot: the landing line, or the object an image goes to; or why it
// would not be taken. DropOnPreview carries the drop out as one step of the
// dialog's history (two linked steps for elements moved in from another
// dialog). ShowDropRefusal says why a drop is not taken in the status bar.
struct PreviewDropTarget {
    bool allowed = false;
    PreviewRect mark;
    // Why not (Shift_JIS); empty when there is nothing to say.
    std::string refusal;
};

class PreviewDrops {
public:
    PreviewDrops() = default;
    virtual ~PreviewDrops() = default;
    PreviewDrops(const PreviewDrops&) = delete;
    PreviewDrops& operator=(const PreviewDrops&) = delete;

    virtual PreviewDropTarget CheckPreviewDrop(const QMimeData& data, CZeDialogData& dialog,
                                               std::int32_t x, std::int32_t y, bool copy) = 0;
    virtual bool DropOnPreview(const QMimeData& data, CZeDialogData& dialog, std::int32_t x,
                               std::int32_t y, bool copy) = 0;
    // Empty text clears what the last call showed.
    virtual void ShowDropRefusal(const std::string& refusal) = 0;
};

}  // namespace ze::panels
