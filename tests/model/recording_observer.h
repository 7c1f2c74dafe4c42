#pragma once

// Stands in for the views in the edit API tests: logs what a project tells
// its observers, keeps the elements it was told are shown and checks that the
// histories moved as a call's result says.

#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/dialog_data.h"
#include "model/editing/edit_result.h"
#include "model/editing/element_lookup.h"
#include "model/editing/project_observer.h"
#include "model/editing/selection.h"
#include "model/resource_data.h"

namespace ze {

// Record count and index of each dialog's history.
using HistoryCounts = std::map<const CZeDialogData*, std::pair<std::size_t, int>>;

inline HistoryCounts CountHistories(const CZeResourceData& project) {
    HistoryCounts counts;
    for (std::size_t i = 0; i < project.GetDialogs().GetCount(); ++i) {
        const CZeDialogData* dialog = project.GetDialogs().GetDialog(i);
        counts[dialog] = {dialog->GetUndoBuffer().GetRecordCount(),
                          dialog->GetUndoBuffer().GetIndex()};
    }
    return counts;
}

// Only the dialog the call changed moves in its history: by the step it
// recorded, which drops the steps redo could reach, or by moved (undo -1,
// redo +1). Every other one keeps its records and its index.
inline void ExpectHistoriesFollow(const CZeResourceData& project, const HistoryCounts& before,
                                  const EditResult& result, int moved) {
    for (const auto& [dialog, counts] : before) {
        if (project.GetDialogs().IndexOf(dialog) < 0) {
            continue;
        }
        auto [count, index] = counts;
        if (dialog == result.change.dialog) {
            index += result.stepsRecorded + moved;
            count = result.stepsRecorded != 0 ? static_cast<std::size_t>(index) : count;
        }
        EXPECT_EQ(dialog->GetUndoBuffer().GetIndex(), index) << dialog->GetItem("Name");
        EXPECT_EQ(dialog->GetUndoBuffer().GetRecordCount(), count) << dialog->GetItem("Name");
    }
}

class RecordingObserver : public ProjectObserver {
public:
    explicit RecordingObserver(CZeResourceData& project) : project_(project) {
        const CZeDialogDataList& dialogs = project.GetDialogs();
        for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
            ShowAll(*dialogs.GetDialog(i));
        }
        project.Observers().Add(this);
    }
    ~RecordingObserver() override { project_.Observers().Remove(this); }

    void ElementsChanged(const ElementChange& change) override {
        log.push_back("changed");
        changes.push_back(change);
        if (change.dialog == nullptr) {
            return;
        }
        auto& elements = shown[change.dialog];
        elements.insert(change.added.begin(), change.added.end());
        for (ZeClass* element : change.removed) {
            elements.erase(element);
        }
    }
    void DialogAdded(CZeDialogData& dialog) override {
        log.push_back("added " + dialog.GetItem("Name"));
        ShowAll(dialog);
    }
    // The position proves the dialog is still in the list when told.
    void DialogRemoving(CZeDialogData& dialog) override {
        log.push_back("removing " + dialog.GetItem("Name") + "@" +
                      std::to_string(project_.GetDialogs().IndexOf(&dialog)));
        shown.erase(&dialog);
    }
    // Not logged: a selection is no change of the project.
    void SelectionChanged(const Selection& selection) override {
        selectedDialog = selection.Dialog();
        selected = selection.Elements();
    }
    void DialogRenamed(CZeDialogData& dialog) override {
        log.push_back("renamed " + dialog.GetItem("Name"));
    }
    void DialogMoved(CZeDialogData& dialog, std::size_t from, std::size_t to) override {
        log.push_back("moved " + dialog.GetItem("Name") + " " + std::to_string(from) + ">" +
                      std::to_string(to));
    }
    void HistoryMoved(CZeDialogData& /*dialog*/) override { log.push_back("history"); }

    void Forget() {
        log.clear();
        changes.clear();
    }

    std::vector<std::string> log;
    std::vector<ElementChange> changes;
    // What the last SelectionChanged said.
    CZeDialogData* selectedDialog = nullptr;
    std::vector<ZeClass*> selected;
    std::map<const CZeDialogData*, std::unordered_set<ZeClass*>> shown;

private:
    void ShowAll(const CZeDialogData& dialog) {
        const std::vector<ZeClass*> elements = TreeElements(dialog);
        shown[&dialog] = std::unordered_set<ZeClass*>(elements.begin(), elements.end());
    }

    CZeResourceData& project_;
};

}  // namespace ze
