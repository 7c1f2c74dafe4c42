#include "panels/changes_watch.h"

#include <system_error>
#include <utility>

#include "model/mo_stream.h"
#include "model/resource_data.h"

namespace ze::panels {

ChangesWatch::ChangesWatch(CZeResourceData& project, QObject* parent)
    : QObject(parent), project_(project), baseline_(std::make_shared<Baseline>()) {
    // Started by the first change and not by the next ones, as the
    // findings watch does: a burst of edits costs one comparison, and the
    // first edit shows within the delay and a comparison.
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMilliseconds);
    connect(&delay_, &QTimer::timeout, this, &ChangesWatch::StartComparing);
    project_.Observers().Add(this);
}

ChangesWatch::~ChangesWatch() {
    project_.Observers().Remove(this);
    // The thread posts its result to this object: it is done before the
    // object goes, and the posted result goes with it.
    StopComparing();
}

void ChangesWatch::SetBaseline(std::string text) {
    delay_.stop();
    StopComparing();
    baseline_ = std::make_shared<Baseline>();
    baseline_->text = std::move(text);
    Show({});
}

void ChangesWatch::CompareLater() {
    if (!delay_.isActive()) {
        delay_.start();
    }
}

void ChangesWatch::CompareNow() {
    delay_.stop();
    StopComparing();
    CJsonString now;
    project_.WriteProject(now, "");
    Show(Compare(*baseline_, now.GetText()));
}

void ChangesWatch::StartComparing() {
    if (comparing_.joinable()) {
        again_ = true;  // once the comparison under way is back
        return;
    }
    CJsonString now;
    project_.WriteProject(now, "");
    // Undone back to the saved state, or never changed: nothing to read.
    if (now.GetText() == baseline_->text) {
        Show({});
        return;
    }
    const std::uint64_t generation = ++generation_;
    try {
        comparing_ = std::thread([this, generation, baseline = baseline_, text = now.TakeText()] {
            std::vector<ProjectChange> changes;
            bool done = true;
            try {
                changes = Compare(*baseline, text);
            } catch (...) {
                done = false;  // out of memory: the list stays as it was
            }
            QMetaObject::invokeMethod(
                this,
                [this, generation, done, changes = std::move(changes)]() mutable {
                    Compared(generation, done, std::move(changes));
                },
                Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {
        CompareNow();  // no thread to be had: here, then
    }
}

void ChangesWatch::Compared(std::uint64_t generation, bool done,
                            std::vector<ProjectChange> changes) {
    if (comparing_.joinable()) {
        comparing_.join();
    }
    if (generation == generation_ && done) {
        Show(std::move(changes));
    }
    if (again_) {
        again_ = false;
        StartComparing();
    }
}

void ChangesWatch::StopComparing() {
    if (comparing_.joinable()) {
        comparing_.join();
        ++generation_;  // its posted result, if still to come, is dropped
    }
    again_ = false;
}

void ChangesWatch::Show(std::vector<ProjectChange> changes) {
    changes_ = std::move(changes);
    emit Updated();
}

std::vector<ProjectChange> ChangesWatch::Compare(Baseline& baseline, const std::string& now) {
    if (now == baseline.text) {
        return {};
    }
    if (baseline.project == nullptr) {
        baseline.project = std::make_unique<CZeResourceData>();
        // A baseline that does not read (a file written by hand) counts as
        // an empty project: everything shows as added.
        if (!baseline.project->LoadText(baseline.text)) {
            baseline.project = std::make_unique<CZeResourceData>();
        }
    }
    CZeResourceData current;
    if (!current.LoadText(now)) {
        return {};
    }
    return DiffProjects(*baseline.project, current);
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

void ChangesWatch::ProjectEmptied() {
    CompareLater();
}

}  // namespace ze::panels
