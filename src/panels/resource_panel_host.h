#pragma once

#include <QString>
#include <string>

namespace ze {
class CZeDialogData;
}

namespace ze::panels {

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
    // Repaints every editing window (after the model or a selection changed).
    virtual void RedrawViews() = 0;
    // The user chose another project folder (an operating-system path ending
    // with the separator): the image folders are scanned again.
    virtual void ProjectFolderChanged(const std::string& folder) = 0;
    // The long help text of a control, for pane 0 of the status bar.
    virtual void ShowStatusText(const QString& text) = 0;
};

}  // namespace ze::panels
