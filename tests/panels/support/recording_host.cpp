#include "panels/support/recording_host.h"

#include <algorithm>

#include "common/cp932.h"
#include "model/dialog_data.h"
#include "model/resource_data.h"

namespace ze::panels::test {

void RecordingHost::ActivateDialogWindow(CZeDialogData& dialog) {
    calls.push_back("activate:" + dialog.GetItem("Name"));
    activated.push_back(&dialog);
}

void RecordingHost::ProjectFolderChanged(const std::string& folder) {
    calls.push_back("folder:" + folder);
}

void RecordingHost::ShowStatusText(const QString& text) {
    calls.push_back("status:" + text.toStdString());
}

RecordingHost::~RecordingHost() {
    Watch(nullptr);
}

void RecordingHost::Watch(CZeResourceData* project) {
    if (watched_ != nullptr) {
        watched_->Observers().Remove(this);
    }
    watched_ = project;
    if (watched_ != nullptr) {
        watched_->Observers().Add(this);
    }
}

void RecordingHost::DialogRemoving(CZeDialogData& dialog) {
    calls.push_back("close:" + Cp932ToUtf8(dialog.GetItem("Name")));
}

std::optional<PaneSelection> RecordingHost::SelectedPaneEntry() const {
    return paneEntry;
}

void RecordingHost::ShowImageList(PaneEntryKind kind, const std::string& name) {
    calls.push_back("images:" + std::to_string(static_cast<int>(kind)) + ":" + Cp932ToUtf8(name));
}

void RecordingHost::HistoryMoved(CZeDialogData& /*dialog*/) {
    calls.emplace_back("history");
}

int RecordingHost::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

void RecordingHost::Clear() {
    calls.clear();
    activated.clear();
}

void RecordingMessages::ShowMessage(const std::string& text, MessageIcon icon) {
    messages.push_back({Cp932ToUtf8(text), icon});
}

}  // namespace ze::panels::test
