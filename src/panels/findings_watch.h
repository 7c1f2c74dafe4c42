#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <unordered_set>
#include <vector>

#include "layout/layout_checks.h"
#include "layout/text_measure.h"
#include "model/editing/project_observer.h"
#include "model/project_checks.h"

namespace ze {
class CZeDialogData;
class CZeResourceData;
}  // namespace ze

namespace ze::panels {

// Keeps the project's findings (the "問題" tab) up to date: a change checks
// again only the dialog it touched, or the project root, a moment later, so
// a burst of changes costs one check.
class FindingsWatch : public QObject, private ProjectObserver {
    Q_OBJECT

public:
    static constexpr int kDelayMilliseconds = 200;

    explicit FindingsWatch(CZeResourceData& project, QObject* parent = nullptr);
    ~FindingsWatch() override;

    // The files of the project folder (and the built-in images) changed, or
    // a project was opened, created or discarded: everything is checked now.
    void CheckAll(ProjectFiles files);
    void CheckAll();
    // The same after the delay, so that a project just opened is shown and
    // painted before a large one is checked and its findings listed.
    void CheckAllLater();

    // Lays every dialog out at the sizes of options as well (the device
    // list's), measuring texts with measure, and lists what does not fit
    // with its size; a change lays out again only the dialog it touched.
    void EnableLayoutChecks(std::unique_ptr<TextMeasure> measure, LayoutCheckOptions options);
    // Other sizes or another text expansion: every dialog is laid out again
    // now.
    void SetLayoutOptions(const LayoutCheckOptions& options);
    // Null until EnableLayoutChecks.
    const LayoutChecker* Layout() const { return layout_.get(); }

    // A project without dialogs is none yet: nothing of it is listed, not
    // even the unused files of a project folder remembered from an earlier
    // run.
    bool HasProject() const;
    const std::vector<Finding>& Findings() const { return findings_; }
    FindingCounts Counts() const { return counts_; }
    // Whether a change waits to be checked.
    bool IsPending() const { return delay_.isActive(); }
    // Checks what changed now rather than after the delay.
    void CheckNow();

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
    void Changed(CZeDialogData* dialog);
    void Publish();

    CZeResourceData& project_;
    ProjectChecker checker_;
    std::unique_ptr<TextMeasure> measure_;
    std::unique_ptr<LayoutChecker> layout_;
    QTimer delay_;
    std::unordered_set<const CZeDialogData*> changed_;
    bool rootChanged_ = false;
    bool allChanged_ = false;
    // Dialogs are moved only: the list order changes, no dialog's findings.
    bool orderChanged_ = false;
    std::vector<Finding> findings_;
    FindingCounts counts_;
};

}  // namespace ze::panels
