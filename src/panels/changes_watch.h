#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "model/editing/project_observer.h"
#include "model/project_diff.h"

namespace ze {
class CZeResourceData;
}  // namespace ze

namespace ze::panels {

// Keeps the list of changes since the project was last read or saved (the
// "変更" tab): the text then against the text a save would write now,
// matched a moment after the last of a burst of edits, since matching a
// large project costs as much as reading it a few times.
class ChangesWatch : public QObject, private ProjectObserver {
    Q_OBJECT

public:
    static constexpr int kDelayMilliseconds = 300;

    explicit ChangesWatch(CZeResourceData& project, QObject* parent = nullptr);
    ~ChangesWatch() override;

    // The project text last read or written: no change since, now.
    void SetBaseline(std::string text);
    // The project was changed in a way it does not tell (dialogs read into
    // it): compared again after the delay.
    void CompareLater();
    // Compares what changed now rather than after the delay.
    void CompareNow();
    bool IsPending() const { return delay_.isActive(); }

    const std::vector<ProjectChange>& Changes() const { return changes_; }

signals:
    void Updated();

private:
    void ElementsChanged(const ElementChange& change) override;
    void DialogAdded(CZeDialogData& dialog) override;
    void DialogRemoving(CZeDialogData& dialog) override;
    void DialogRenamed(CZeDialogData& dialog) override;
    void DialogMoved(CZeDialogData& dialog, std::size_t from, std::size_t to) override;
    void HistoryMoved(CZeDialogData& dialog) override;

    CZeResourceData& project_;
    QTimer delay_;
    std::string baselineText_;
    // Read from baselineText_ when first compared against.
    std::unique_ptr<CZeResourceData> baseline_;
    std::vector<ProjectChange> changes_;
};

}  // namespace ze::panels
