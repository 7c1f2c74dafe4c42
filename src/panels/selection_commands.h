#pragma once

#include <functional>
#include <string_view>

#include "model/editing/edit_result.h"
#include "panels/editor_panel.h"

namespace ze {
class CObjectData;
class CZeResourceData;
class MessageSink;
}  // namespace ze

namespace ze::panels {

class ResourcePanelHost;

// The operations on the project's selection that any window may ask for:
// copy, cut, delete and paste of the Edit menu and the tree's keys, moving
// and inserting, and the drops on a dialog's preview. Each goes straight to
// the model's edit API; the views follow through the change notification,
// so no window reaches the model through the resource panel.
class SelectionCommands : public EditCommands, public PreviewDrops {
public:
    // The property list's part in an image dropped on an object: the row
    // it has current while it shows that object (else below 0), which the
    // image fills when it can, and showing the row the image went to.
    struct ImageRows {
        std::function<int(const CObjectData&)> shownRow;
        std::function<void(CObjectData&, int row)> filled;
    };

    SelectionCommands(CZeResourceData& project, ResourcePanelHost& host, MessageSink& messages);

    void SetImageRows(ImageRows rows) { imageRows_ = std::move(rows); }

    // Shows the result's message and status text; a result that picked
    // something brings its dialog's window forward. True when the project
    // changed.
    bool Apply(const EditResult& result);

    // EditCommands, on every picked element.
    bool CopyCurrent() override;
    void DeleteCurrent() override;
    void PasteAtCurrent(PasteMode mode) override;
    void Move(MoveDirection direction);
    // A new group or object of the type called typeName (ASCII, any letter
    // case) beside or in the current element; a name that is no type
    // inserts nothing.
    void InsertByName(std::string_view typeName, PasteMode mode);

    // PreviewDrops.
    PreviewDropTarget CheckPreviewDrop(const QMimeData& mime, CZeDialogData& dialog,
                                       std::int32_t x, std::int32_t y, bool copy) override;
    bool DropOnPreview(const QMimeData& mime, CZeDialogData& dialog, std::int32_t x,
                       std::int32_t y, bool copy) override;
    void ShowDropRefusal(const std::string& refusal) override;

private:
    // The object under a point of the preview that an image dropped there
    // goes to, with the row it fills; null when there is none.
    CObjectData* ImageTarget(CZeDialogData& dialog, std::int32_t x, std::int32_t y, int& row) const;

    CZeResourceData& project_;
    ResourcePanelHost& host_;
    MessageSink& messages_;
    ImageRows imageRows_;
};

}  // namespace ze::panels
