#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "model/editing/project_observer.h"
#include "model/project_diff.h"

namespace ze {
class CZeResourceData;
}  // namespace ze

namespace ze::panels {

// Keeps the list of changes since the project was last read or saved (the
// "変更" tab): the text then against the text a save would write now,
// matched a moment after the first of a burst of edits. The text is written
// here; reading and matching it, which for a large project cost a few
// loads, run on a thread of their own, so the editor never waits for them.
class ChangesWatch : public QObject, private ProjectObserver {
    Q_OBJECT

public:
    static constexpr int kDelayMilliseconds = 150;

    explicit ChangesWatch(CZeResourceData& project, QObject* parent = nullptr);
    ~ChangesWatch() override;

    // The project text last read or written: no change since, now.
    void SetBaseline(std::string text);
    // The project was changed in a way it does not tell (dialogs read into
    // it): compared again after the delay.
    void CompareLater();
    // Compares what changed now, on this thread, rather than after the
    // delay; a comparison under way is let go.
    void CompareNow();
    // A comparison is due or under way.
    bool IsPending() const { return delay_.isActive() || comparing_.joinable(); }
    // A comparison is under way, its result not yet shown.
    bool IsComparing() const { return comparing_.joinable(); }

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
    void ProjectEmptied() override;

    // What a comparison compares against: the text last read or written,
    // and the project read from it on first use. One comparison uses it at
    // a time.
    struct Baseline {
        std::string text;
        std::unique_ptr<CZeResourceData> project;
    };

    // The delay is over: writes the text and compares it on the thread.
    void StartComparing();
    // The thread's result, back on this one.
    void Compared(std::uint64_t generation, bool done, std::vector<ProjectChange> changes);
    // Waits for the comparison under way, whose result is then dropped.
    void StopComparing();
    void Show(std::vector<ProjectChange> changes);
    static std::vector<ProjectChange> Compare(Baseline& baseline, const std::string& now);

    CZeResourceData& project_;
    QTimer delay_;
    std::shared_ptr<Baseline> baseline_;
    std::vector<ProjectChange> changes_;
    std::thread comparing_;
    // Counts comparisons begun and let go: a result of an earlier one is
    // dropped.
    std::uint64_t generation_ = 0;
    // A change came while the thread was comparing: compare once more.
    bool again_ = false;
};

}  // namespace ze::panels
