#pragma once

#include <QString>
#include <optional>
#include <string>

#include "model/editing/edit_result.h"

namespace ze {
class CZeDialogData;
}

namespace ze::panels {

// An entry picked in one of the image/log pane's grids.
struct PaneSelection {
    PaneEntryKind kind = PaneEntryKind::kInsertType;
    std::string name;  // Shift_JIS
};

// What the resource panel asks of the main window it is docked in. The main
// window implements it; tests give the panel a recording host.
class ResourcePanelHost {
public:
    ResourcePanelHost() = default;
    virtual ~ResourcePanelHost() = default;
    ResourcePanelHost(const ResourcePanelHost&) = delete;
    ResourcePanelHost& operator=(const ResourcePanelHost&) = delete;

    // Brings the editing window of dialog to the front, opening one when the
    // dialog has none.
    virtual void ActivateDialogWindow(CZeDialogData& dialog) = 0;
    // The user chose another project folder (an operating-system path ending
    // with the separator): the image folders are scanned again.
    virtual void ProjectFolderChanged(const std::string& folder) = 0;
    // The long help text of a control, for pane 0 of the status bar.
    virtual void ShowStatusText(const QString& text) = 0;
    // The entry the insert buttons insert: the type picked in the image/log
    // pane's insert grid, or the clipboard sample picked on its own tab;
    // nothing when neither is picked.
    virtual std::optional<PaneSelection> SelectedPaneEntry() const = 0;
    // The image picker: the pane shows its built-in or user image list with
    // the image called name (Shift_JIS) selected.
    virtual void ShowImageList(PaneEntryKind kind, const std::string& name) = 0;
};

}  // namespace ze::panels
