#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "model/message_sink.h"
#include "panels/resource_panel_host.h"

namespace ze::panels::test {

// Remembers every call the panel makes to the main window, in order.
class RecordingHost : public ResourcePanelHost {
public:
    void ActivateDialogWindow(CZeDialogData& dialog) override;
    void RedrawViews() override;
    void ProjectFolderChanged(const std::string& folder) override;
    void ShowStatusText(const QString& text) override;
    void CloseDialogWindows(CZeDialogData& dialog) override;
    std::optional<PaneSelection> SelectedPaneEntry() const override;
    void ShowImageList(int kind, const std::string& name) override;
    void HistoryChanged() override;

    // "activate:<dialog Name>", "close:<dialog Name>", "redraw",
    // "folder:<folder>", "status:<text>", "images:<kind>:<name>", "history"
    // (names as UTF-8).
    std::vector<std::string> calls;
    std::vector<CZeDialogData*> activated;
    // What SelectedPaneEntry answers.
    std::optional<PaneSelection> paneEntry;

    int Count(const std::string& call) const;
    void Clear();
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
