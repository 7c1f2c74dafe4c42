#pragma once

#include <QListWidget>
#include <cstdint>

#include "model/editing/project_observer.h"

namespace ze {
class CZeResourceData;
}  // namespace ze

namespace ze::app {

// The "履歴" pane: the steps of the history of the dialog the user works on
// (the one picked, which is the active window's), the state it was loaded
// or created with first. The step whose state is shown is current, the
// steps redo would reach are grey, the step saved last carries the save
// icon. A click on a step undoes or redoes to it through the edit API, so
// every view follows as after Edit > Undo.
class CHistoryPane : public QListWidget, private ProjectObserver {
    Q_OBJECT

public:
    explicit CHistoryPane(CZeResourceData& project, QWidget* parent = nullptr);
    ~CHistoryPane() override;

    // Lists the picked dialog's steps again (after a save: the saved mark).
    void Refresh();

private:
    void HistoryMoved(CZeDialogData& dialog) override;
    void SelectionChanged(const Selection& selection) override;
    void DialogRemoving(CZeDialogData& dialog) override;
    void ProjectEmptied() override;
    void DialogRenamed(CZeDialogData& dialog) override;
    void StepChosen(const QListWidgetItem* item);

    CZeResourceData& project_;
    // Which dialog's steps are listed: compared only, never followed.
    const CZeDialogData* shown_ = nullptr;
};

}  // namespace ze::app
