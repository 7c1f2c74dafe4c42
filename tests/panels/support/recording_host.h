#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "link/device_link.h"
#include "model/editing/project_observer.h"
#include "model/message_sink.h"
#include "panels/resource_panel_host.h"

namespace ze {
class CZeResourceData;
}  // namespace ze

namespace ze::panels::test {

// Stands in for the main window: remembers every call the panel makes to it,
// in order, and, while it watches a project, the dialogs that go and the
// steps of their histories. It holds the device link as the main window does.
class RecordingHost : public ResourcePanelHost, public ProjectObserver {
public:
    ~RecordingHost() override;

    void ActivateDialogWindow(CZeDialogData& dialog) override;
    void ProjectFolderChanged(const std::string& folder) override;
    void ShowStatusText(const QString& text) override;
    std::optional<PaneSelection> SelectedPaneEntry() const override;
    void ShowImageList(PaneEntryKind kind, const std::string& name) override;
    // ProjectObserver, as the main window answers them.
    void DialogRemoving(CZeDialogData& dialog) override;
    void HistoryMoved(CZeDialogData& dialog) override;

    // Follows project's changes until Unwatch (null: none).
    void Watch(CZeResourceData* project);

    // "activate:<dialog Name>", "close:<dialog Name>",
    // "folder:<folder>", "status:<text>", "images:<kind>:<name>", "history"
    // (names as UTF-8).
    std::vector<std::string> calls;
    std::vector<CZeDialogData*> activated;
    // What SelectedPaneEntry answers.
    std::optional<PaneSelection> paneEntry;
    link::CDeviceLink link;

    int Count(const std::string& call) const;
    void Clear();

private:
    CZeResourceData* watched_ = nullptr;
};

// Remembers the messages meant for the user (text as UTF-8).
class RecordingMessages : public MessageSink {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
    };
    void ShowMessage(const std::string& text, MessageIcon icon) override;

    std::vector<Message> messages;
};

}  // namespace ze::panels::test
