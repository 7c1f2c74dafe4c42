#pragma once

#include <cstdint>

#include "model/editing/edit_result.h"
#include "model/object_data.h"

class QMimeData;

namespace ze {
class CZeDialogData;
class ZeClass;
}  // namespace ze

namespace ze::panels {

// What an editing window asks of the resource panel: which dialog is
// current, and keeping the tree in step with a click in the preview or a
// step through the history.
class EditorPanel {
public:
    EditorPanel() = default;
    virtual ~EditorPanel() = default;
    EditorPanel(const EditorPanel&) = delete;
    EditorPanel& operator=(const EditorPanel&) = delete;

    virtual CZeDialogData* GetCurrentDialog() const = 0;
    // The element of the tree's current item, or null.
    virtual ZeClass* GetCurrentElement() const = 0;
    // When dialog differs from the current one: it becomes current, its tree
    // item is selected and it is shown in the property list. Selecting the
    // item this way does not activate any window.
    virtual void SetCurrentDialog(CZeDialogData* dialog) = 0;
    // After a click in the preview: the element's tree item (the dialog's
    // when element is null or the dialog itself) becomes the current item
    // and is shown; no item is current when the element has none.
    virtual void SelectFromView(CZeDialogData* dialog, ZeClass* element) = 0;
    // After undo or redo changed dialog's tree (the tree and the property
    // list have followed it): selected (the dialog when null) becomes the
    // current item and is shown.
    virtual void SelectAfterHistoryStep(CZeDialogData& dialog, ZeClass* selected) = 0;
};

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
// the spot: the landing line, or the object an image goes to.
// DropOnPreview carries the drop out as one step of the dialog's history.
struct PreviewDropTarget {
    bool allowed = false;
    PreviewRect mark;
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
};

}  // namespace ze::panels
