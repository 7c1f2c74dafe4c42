#include "panels/changes_watch.h"

#include <utility>

#include "model/mo_stream.h"
#include "model/resource_data.h"

namespace ze::panels {

ChangesWatch::ChangesWatch(CZeResourceData& project, QObject* parent)
    : QObject(parent), project_(project) {
    // Started by the first change and not by the next ones, as the
    // findings watch does: a burst of edits costs one comparison.
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMilliseconds);
    connect(&delay_, &QTimer::timeout, this, &ChangesWatch::CompareNow);
    project_.Observers().Add(this);
}

ChangesWatch::~ChangesWatch() {
    project_.Observers().Remove(this);
}

void ChangesWatch::SetBaseline(std::string text) {
    delay_.stop();
    baselineText_ = std::move(text);
    baseline_.reset();
    changes_.clear();
    emit Updated();
}

void ChangesWatch::CompareLater() {
    if (!delay_.isActive()) {
        delay_.start();
    }
}

void ChangesWatch::CompareNow() {
    delay_.stop();
    CJsonString now;
    project_.WriteProject(now, "");
    std::vector<ProjectChange> changes;
    // Undone back to the saved state, or never changed: nothing to read.
    if (now.GetText() != baselineText_) {
        if (baseline_ == nullptr) {
            baseline_ = std::make_unique<CZeResourceData>();
            // A baseline that does not read (a file written by hand) counts
            // as an empty project: everything shows as added.
            if (!baseline_->LoadText(baselineText_)) {
                baseline_ = std::make_unique<CZeResourceData>();
            }
        }
        CZeResourceData current;
        if (current.LoadText(now.GetText())) {
            changes = DiffProjects(*baseline_, current);
        }
    }
    changes_ = std::move(changes);
    emit Updated();
}

void ChangesWatch::ElementsChanged(const ElementChange& /*change*/) {
    CompareLater();
}

void ChangesWatch::DialogAdded(CZeDialogData& /*dialog*/) {
    CompareLater();
}

void ChangesWatch::DialogRemoving(CZeDialogData& /*dialog*/) {
    // Told before the dialog goes: compared once it has.
    CompareLater();
}

void ChangesWatch::DialogRenamed(CZeDialogData& /*dialog*/) {
    CompareLater();
}

void ChangesWatch::DialogMoved(CZeDialogData& /*dialog*/, std::size_t /*from*/,
                               std::size_t /*to*/) {
    CompareLater();
}

void ChangesWatch::HistoryMoved(CZeDialogData& /*dialog*/) {
    CompareLater();
}

}  // namespace ze::panels
