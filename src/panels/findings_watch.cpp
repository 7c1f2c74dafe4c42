#include "panels/findings_watch.h"

#include <utility>

#include "model/dialog_data.h"
#include "model/resource_data.h"

namespace ze::panels {

FindingsWatch::FindingsWatch(CZeResourceData& project, QObject* parent)
    : QObject(parent), project_(project) {
    // Started by the first change and not by the next ones: a check follows
    // every change within the delay, however fast the changes come.
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMilliseconds);
    connect(&delay_, &QTimer::timeout, this, &FindingsWatch::CheckNow);
    project_.Observers().Add(this);
}

FindingsWatch::~FindingsWatch() {
    project_.Observers().Remove(this);
}

void FindingsWatch::CheckAll(ProjectFiles files) {
    checker_.SetFiles(std::move(files));
    CheckAll();
}

void FindingsWatch::CheckAll() {
    delay_.stop();
    changed_.clear();
    rootChanged_ = false;
    allChanged_ = false;
    orderChanged_ = false;
    checker_.CheckAll(project_);
    if (layout_ != nullptr) {
        layout_->CheckAll(project_);
    }
    Publish();
}

void FindingsWatch::EnableLayoutChecks(std::unique_ptr<TextMeasure> measure,
                                       LayoutCheckOptions options) {
    measure_ = std::move(measure);
    layout_ = std::make_unique<LayoutChecker>(*measure_);
    layout_->SetOptions(std::move(options));
    layout_->CheckAll(project_);
    Publish();
}

void FindingsWatch::SetLayoutOptions(const LayoutCheckOptions& options) {
    if (layout_ == nullptr || options == layout_->Options()) {
        return;
    }
    layout_->SetOptions(options);
    layout_->CheckAll(project_);
    Publish();
}

void FindingsWatch::CheckAllLater() {
    allChanged_ = true;
    if (!delay_.isActive()) {
        delay_.start();
    }
}

void FindingsWatch::CheckNow() {
    delay_.stop();
    if (allChanged_) {
        CheckAll();
        return;
    }
    if (changed_.empty() && !rootChanged_ && !orderChanged_) {
        return;
    }
    const CZeDialogDataList& dialogs = project_.GetDialogs();
    for (std::size_t i = 0; i < dialogs.GetCount(); ++i) {
        if (changed_.count(dialogs.GetDialog(i)) != 0) {
            checker_.CheckDialog(*dialogs.GetDialog(i));
            if (layout_ != nullptr && !rootChanged_) {
                layout_->CheckDialog(project_, *dialogs.GetDialog(i));
            }
        }
    }
    if (rootChanged_) {
        checker_.CheckRoot(project_);
        // The device size is the project's: every layout may change.
        if (layout_ != nullptr) {
            layout_->CheckAll(project_);
        }
    }
    changed_.clear();
    rootChanged_ = false;
    orderChanged_ = false;
    Publish();
}

bool FindingsWatch::HasProject() const {
    return project_.GetDialogs().GetCount() > 0;
}

void FindingsWatch::Publish() {
    if (!HasProject()) {
        // A large project's room goes with it.
        std::vector<Finding>().swap(findings_);
    } else {
        // The list keeps its room: a large project's findings are copied
        // into the memory they had, not into fresh pages at every check.
        findings_.clear();
        checker_.AppendFindings(project_, findings_);
        if (layout_ != nullptr) {
            layout_->AppendFindings(project_, findings_);
        }
    }
    // Counted from what is shown: the checker may still keep a dialog that
    // left without being told (a discard deletes them all at once).
    counts_ = {};
    for (const Finding& finding : findings_) {
        ++(finding.severity == Severity::kError ? counts_.errors : counts_.warnings);
    }
    emit Updated();
}

void FindingsWatch::Changed(CZeDialogData* dialog) {
    if (dialog == nullptr) {
        rootChanged_ = true;
    } else {
        changed_.insert(dialog);
    }
    if (!delay_.isActive()) {
        delay_.start();
    }
}

void FindingsWatch::ElementsChanged(const ElementChange& change) {
    Changed(change.dialog);
}

void FindingsWatch::DialogAdded(CZeDialogData& dialog) {
    Changed(&dialog);
}

void FindingsWatch::DialogRemoving(CZeDialogData& dialog) {
    // Its findings point at elements about to go: they leave the list now.
    checker_.ForgetDialog(dialog);
    if (layout_ != nullptr) {
        layout_->ForgetDialog(dialog);
    }
    changed_.erase(&dialog);
    orderChanged_ = true;
    CheckNow();
}

void FindingsWatch::DialogRenamed(CZeDialogData& dialog) {
    Changed(&dialog);
}

void FindingsWatch::DialogMoved(CZeDialogData& /*dialog*/, std::size_t /*from*/,
                                std::size_t /*to*/) {
    orderChanged_ = true;
    if (!delay_.isActive()) {
        delay_.start();
    }
}

void FindingsWatch::HistoryMoved(CZeDialogData& dialog) {
    Changed(&dialog);
}

void FindingsWatch::ProjectEmptied() {
    // One publication for the whole project, not one per dialog: each
    // lists the findings of every dialog left, a large project's hundreds
    // of thousands.
    delay_.stop();
    std::unordered_set<const CZeDialogData*>().swap(changed_);
    rootChanged_ = false;
    allChanged_ = false;
    orderChanged_ = false;
    checker_.ForgetAll();
    checker_.CheckRoot(project_);
    if (layout_ != nullptr) {
        layout_->ForgetAll();
        measure_->ForgetTexts();
    }
    Publish();
}

}  // namespace ze::panels
